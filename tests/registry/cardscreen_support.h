#pragma once

// Helpers for driving the registry card screen in tests: a fresh screen on a fresh program
// folder, typing as the keyboard does, and cards written straight into Anagrafica.pro.

#include "common/testsupport.h"
#include "core/base/fonts.h"
#include "core/registry/anagraficarecord.h"
#include "registry/clienti.h"
#include "registry/clientifields.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QTest>

#include <memory>

// Sends the characters of text to target one key press at a time, as typing does.
inline void typeInto(QWidget* target, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString chunk(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            chunk += text.at(++i);
        const int key =
            chunk.size() == 1 ? int(chunk.at(0).toUpper().unicode()) : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, chunk);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, chunk);
        QApplication::sendEvent(target, &release);
    }
}

inline void pressKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

// The named control of a card field on a card screen (a province box is a drop-down box), and
// the edit that holds the field's text (for a province box, the edit inside it).
inline QWidget* cardControl(const QWidget* screen, AnagraficaField field)
{
    for (const CardFieldRow& row : cardFieldTable()) {
        if (row.field == field)
            return named(screen, row.control);
    }
    qFatal("no card field %d on the card screen", int(field));
}
inline QLineEdit* cardEdit(const QWidget* screen, AnagraficaField field)
{
    QWidget* control = cardControl(screen, field);
    if (auto* box = qobject_cast<QComboBox*>(control))
        return box->lineEdit();
    return named<QLineEdit>(screen, control->objectName());
}

// A card with the five compulsory fields filled in and a few others.
inline AnagraficaRecord sampleCard(const QString& surname,
                                   const QString& ricontatta = QStringLiteral("No"))
{
    AnagraficaRecord r;
    r.set(AnagraficaField::Cognome, surname);
    r.set(AnagraficaField::Nome, QStringLiteral("Anna"));
    r.set(AnagraficaField::Recapito, QStringLiteral("0123 456789"));
    r.set(AnagraficaField::CodFisc, QStringLiteral("RSSNNA80A41H501X"));
    r.set(AnagraficaField::Conducente, QStringLiteral("Segreteria"));
    r.set(AnagraficaField::Ricontatta, ricontatta);
    return r;
}

inline QByteArray cardsFile(const QList<AnagraficaRecord>& cards)
{
    QByteArray bytes;
    for (const AnagraficaRecord& r : cards)
        bytes += r.bytes();
    return bytes;
}

// One registry card screen, shown and active, on an empty program folder, with every message
// recorded.
struct CardScreen {
    TempProgramFolder folder;
    MessageRecorder messages;
    std::unique_ptr<TfrmClienti> screen;

    CardScreen()
    {
        registerFonts();
        screen = std::make_unique<TfrmClienti>();
        screen->showNormal();
        // The tests point at every control: the window has the design size, as on a screen of
        // at least 1024 x 768 (on a smaller one the panel scrolls).
        screen->resize(1024, 768);
        QApplication::setActiveWindow(screen.get());
        [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(screen.get());
    }

    QString registry() const { return folder.file(QStringLiteral("Anagrafica.pro")); }
    QLineEdit* edit(AnagraficaField f) const { return cardEdit(screen.get(), f); }
    QWidget* control(AnagraficaField f) const { return cardControl(screen.get(), f); }
    QComboBox* provinceBox(AnagraficaField f) const { return qobject_cast<QComboBox*>(control(f)); }
    QCheckBox* ricontatta() const { return named<QCheckBox>(screen.get(), "chkRicontatta"); }
    void set(AnagraficaField f, const QString& text) const { edit(f)->setText(text); }
    QString text(AnagraficaField f) const { return edit(f)->text(); }
    // The card number as lblPosizione shows it.
    QString position() const { return named<QLabel>(screen.get(), "lblPosizione")->text(); }
    QString focusName() const
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }
    void fillCompulsory(const QString& surname) const
    {
        set(AnagraficaField::Cognome, surname);
        set(AnagraficaField::Nome, QStringLiteral("Mario"));
        set(AnagraficaField::Recapito, QStringLiteral("333 1234567"));
        set(AnagraficaField::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
        set(AnagraficaField::Conducente, QStringLiteral("Magazziniere"));
    }
};
