#pragma once

// Driving modal dialogs from a test: the handler under test opens a dialog with exec(), and
// the test looks at it while it is up, then closes it, as a user would.

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Once the next modal dialog is up, runs inspect on it (nullptr when none came up), then
// closes it with its button named closeButton (or close() when it has none). Call it before
// the action that opens the dialog.
inline void whenModal(std::function<void(QWidget*)> inspect,
                      const QString& closeButton = QStringLiteral("btnChiudi"))
{
    QTimer::singleShot(0, [inspect = std::move(inspect), closeButton] {
        QPointer<QWidget> dialog = QApplication::activeModalWidget();
        inspect(dialog);
        if (!dialog)
            return;
        if (auto* button = dialog->findChild<QAbstractButton*>(closeButton))
            button->click();
        if (dialog && dialog->isVisible())
            dialog->close();
    });
}
