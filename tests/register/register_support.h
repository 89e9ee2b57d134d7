#pragma once

// Fixtures for the register's screen tests: registry cards on disk, the two long-lived
// register screens with a start menu stand-in, and answering a modal dialog.

#include "app/screens.h"
#include "core/registry/anagraficarecord.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "ui/decor.h"

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QTimer>
#include <QtTest/QTest>

#include <functional>

inline AnagraficaRecord makeCard(const QString& cognome, const QString& nome,
                                 const QString& recapito, const QString& codFisc,
                                 const QString& mansioni = QString())
{
    AnagraficaRecord card;
    card.set(AnagraficaField::Cognome, cognome);
    card.set(AnagraficaField::Nome, nome);
    card.set(AnagraficaField::Recapito, recapito);
    card.set(AnagraficaField::CodFisc, codFisc);
    card.set(AnagraficaField::Conducente, mansioni);
    return card;
}

inline QByteArray cardBytes(const QList<AnagraficaRecord>& cards)
{
    QByteArray bytes;
    for (const AnagraficaRecord& card : cards)
        bytes += card.bytes();
    return bytes;
}

// The selection screen and the calendar registered as the long-lived screens, with a plain
// window standing in for the start menu. Destroyed, and the registry emptied, at the end.
class RegisterScreens {
public:
    RegisterScreens()
    {
        screens().frmAvvio = avvio = new QWidget;
        avvio->setObjectName(QStringLiteral("frmAvvio"));
        screens().frmMenuCamere = selection = new TfrmMenuCamere;
        screens().frmPlanning = calendar = new TfrmPlanning;
    }
    ~RegisterScreens() { destroyScreens(); }
    RegisterScreens(const RegisterScreens&) = delete;
    RegisterScreens& operator=(const RegisterScreens&) = delete;

    // Shows the selection screen as the start menu does.
    void enterSelection() { switchScreen(avvio, selection); }

    // Selects the list line at row as a click does.
    void clickRow(int row)
    {
        selection->lstRecords->setCurrentRow(row);
        selection->lstRecordsClick();
    }

    // From the start menu: selects row, types year, presses Apri.
    void openCalendar(int row, const QString& year)
    {
        enterSelection();
        clickRow(row);
        selection->txtAnnoFatture->setText(year);
        selection->btnApriFattureClick();
    }

    QWidget* avvio;
    TfrmMenuCamere* selection;
    TfrmPlanning* calendar;
};

// Runs action on the next modal dialog as soon as it is on screen, then makes sure it closes
// (a dialog left open would block the test).
inline void onNextModal(const std::function<void(QDialog*)>& action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        action(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}
