#pragma once

// Opens the session of a run made by createScreens() as the user does: a password file in the
// program folder, the password typed into the login screen and Enter pressed. Until then the
// long-lived screens behind the login take no input.

#include "access/password.h"
#include "core/access/passwordstore.h"
#include "ui/screenflow.h"
#include "ui/sessiongate.h"

#include <QLineEdit>
#include <QtTest/QTest>

inline bool logIn(const QString& password = QStringLiteral("VESTRANO"))
{
    auto* login = qobject_cast<TfrmPassword*>(screens().frmPassword.data());
    if (!login)
        return false;
    if (PasswordStore().readPassword() != std::optional<QString>(password)
        && PasswordStore().storePassword(password) != StoreResult::Stored)
        return false;
    auto* field = login->findChild<QLineEdit*>(QStringLiteral("txtPassword"));
    if (!field)
        return false;
    login->show();
    field->setFocus();
    field->clear();
    for (const QChar c : password)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(field, Qt::Key_Return);
    return sessionUnlocked();
}
