#pragma once

// Fixtures for the register's screen tests: registry cards on disk, the two long-lived
// register screens with a start menu stand-in, and answering a modal dialog.

#include "app/screens.h"
#include "core/registry/anagraficarecord.h"
#include "register/daygrid.h"
#include "register/giorno.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "ui/decor.h"

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QPushButton>
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

    // Clicks the list line at row.
    void clickRow(int row)
    {
        auto* list = selection->findChild<QListWidget*>(QStringLiteral("lstRecords"));
        QListWidgetItem* item = list->item(row);
        QVERIFY(item);
        list->scrollToItem(item);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(item).center());
    }

    // Replaces the year typed in the selection screen.
    void typeYear(const QString& year)
    {
        auto* field = selection->findChild<QLineEdit*>(QStringLiteral("txtAnnoFatture"));
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, year);
    }

    // From the start menu: clicks row, types year, presses Apri.
    void openCalendar(int row, const QString& year)
    {
        enterSelection();
        clickRow(row);
        typeYear(year);
        QTest::mouseClick(selection->findChild<QPushButton*>(QStringLiteral("btnApriFatture")),
                          Qt::LeftButton);
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

// Types text into field key by key; characters beyond ASCII (à, è) as the keyboard sends them.
inline void typeText(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(field, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// The calendar's grid of days.
inline DayGrid* dayGrid(QWidget* calendar)
{
    return calendar->findChild<DayGrid*>(QStringLiteral("grdGiorni"));
}

// Clicks the cell of the day at slot.
inline void clickDay(QWidget* calendar, int slot)
{
    QTest::mouseClick(dayGrid(calendar), Qt::LeftButton, Qt::NoModifier,
                      DayGrid::cellRect(slot).center());
}

// The day dialog's controls.
inline QLineEdit* dayField(QDialog* day)
{
    return day->findChild<QLineEdit*>(QStringLiteral("txtPrenotazione"));
}
inline QPushButton* dayButton(QDialog* day, const char* name)
{
    return day->findChild<QPushButton*>(QString::fromLatin1(name));
}

// Clicks the day at slot and, in the day dialog that opens, runs action.
inline void onDay(QWidget* calendar, int slot, const std::function<void(TfrmGiorno*)>& action)
{
    bool opened = false;
    onNextModal([&](QDialog* dialog) {
        auto* day = qobject_cast<TfrmGiorno*>(dialog);
        QVERIFY(day);
        opened = true;
        action(day);
    });
    clickDay(calendar, slot);
    QVERIFY(opened);
}

// Clicks the day at slot, replaces its text by text and presses "Applica e chiudi".
inline void typeAndApply(QWidget* calendar, int slot, const QString& text)
{
    onDay(calendar, slot, [&](TfrmGiorno* day) {
        QLineEdit* field = dayField(day);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        typeText(field, text);
        QTest::mouseClick(dayButton(day, "btnChiudi"), Qt::LeftButton);
    });
}
