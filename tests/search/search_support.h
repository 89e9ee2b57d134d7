#pragma once

// A small registry for the lists of cards, written with AnagraficaRecord, and helpers for
// driving the search and recontact dialogs of a card screen.

#include "registry/cardscreen_support.h"

#include "registry/cardlistdialog.h"
#include "ui/decor.h"

#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QtTest/QTest>

struct FixtureCard {
    const char* cognome;
    const char* nome;
    const char* comune;
    const char* ricontatta;
    const char* questioni;
    const char* note;
    const char* email; // tells apart cards whose lines are the same
    const char* ditta = "";
    const char* conducente = "Impiegato";
    const char* telCel = "";
    const char* partitaIva = "";
    const char* codiceDest = "";
    const char* codFisc = "";
};

// In file order. The two "Neri" cards give the same line in both lists.
inline const QList<FixtureCard>& fixtureCards()
{
    static const QList<FixtureCard> cards = {
        {"Rossi", "Mario", "Roma", "S\u00ec", "Preventivo da richiamare", "Cliente storico",
         "mario@rossi.it", "", "Magazziniere", "", "", "", "RSSMRA80A01H501U"},
        {"Bianchi", "Luca", "Milano", "No", "", "Pagamento a 60 giorni", "luca@bianchi.it",
         "Bianchi Trasporti Srl", "Autista", "347 1112223", "01234567890", "KRRH6B9"},
        {"De Rossi", "Anna", "Roma", "S\u00ec", "", "", "anna@derossi.it"},
        {"Rossini", "Carla", "Torino", "No", "", "", "carla@rossini.it"},
        {"\u00c8boli", "Piero", "Napoli", "No", "", "", "piero@eboli.it"},
        {"verdi", "Paola", "Firenze", "si", "Contratto in scadenza", "", "paola@verdi.it"},
        {"Abbondanzieri Bartolomeo", "Massimiliano", "San Giovanni in Persiceto", "No", "",
         "Nome lungo", "bm@abbondanzieri.it"},
        {"Neri", "Giulio", "Bari", "S\u00ec", "Sollecito", "Doppione", "primo@neri.it"},
        {"Neri", "Giulio", "Bari", "S\u00ec", "Sollecito", "Doppione", "secondo@neri.it"},
    };
    return cards;
}

inline AnagraficaRecord fixtureRecord(const FixtureCard& c)
{
    using F = AnagraficaField;
    AnagraficaRecord r;
    r.set(F::Cognome, QString::fromUtf8(c.cognome));
    r.set(F::Nome, QString::fromUtf8(c.nome));
    r.set(F::Recapito, QStringLiteral("0123 456789"));
    r.set(F::CodFisc, QString::fromUtf8(*c.codFisc ? c.codFisc : "XXXYYY80A01H501Z"));
    r.set(F::ComuneRes, QString::fromUtf8(c.comune));
    r.set(F::Ricontatta, QString::fromUtf8(c.ricontatta));
    r.set(F::Questioni, QString::fromUtf8(c.questioni));
    r.set(F::Note, QString::fromUtf8(c.note));
    r.set(F::Email, QString::fromUtf8(c.email));
    r.set(F::Ditta, QString::fromUtf8(c.ditta));
    r.set(F::Conducente, QString::fromUtf8(c.conducente));
    r.set(F::TelCel, QString::fromUtf8(c.telCel));
    r.set(F::PartitaIva, QString::fromUtf8(c.partitaIva));
    r.set(F::CodiceDest, QString::fromUtf8(c.codiceDest));
    return r;
}

inline QByteArray fixtureRegistry()
{
    QList<AnagraficaRecord> records;
    for (const FixtureCard& c : fixtureCards())
        records.append(fixtureRecord(c));
    return cardsFile(records);
}

// The names (first column, trimmed) of the lines of a list, in list order.
inline QStringList namesOf(const QStringList& lines)
{
    QStringList names;
    for (const QString& line : lines)
        names.append(line.left(30).trimmed());
    return names;
}

// The controls of a list dialog (the search, the recontact list), by their names.
inline QListView* listOf(const QWidget* dialog)
{
    return named<QListView>(dialog, "lstRecords");
}
// What a list view shows: how many lines, the text of one, which is current (-1 for none) and
// whether that one is selected.
inline int lineCount(const QAbstractItemView* list)
{
    return list->model()->rowCount();
}
inline QString lineAt(const QAbstractItemView* list, int row)
{
    return list->model()->index(row, 0).data().toString();
}
inline int currentRowOf(const QAbstractItemView* list)
{
    return list->currentIndex().row();
}
inline bool currentIsSelected(const QAbstractItemView* list)
{
    return list->selectionModel()->isSelected(list->currentIndex());
}
// Makes row the current and only selected line, as a list of one selection does.
inline void setCurrentRow(QAbstractItemView* list, int row)
{
    list->selectionModel()->setCurrentIndex(list->model()->index(row, 0),
                                            QItemSelectionModel::ClearAndSelect);
}
inline QLineEdit* findField(const QWidget* dialog)
{
    return named<QLineEdit>(dialog, "txtTrova");
}
// The search's filter of a card field: txtCognome for Cognome, and so on.
inline QLineEdit* searchFilter(const QWidget* search, AnagraficaField field)
{
    return named<QLineEdit>(search, QStringLiteral("txt")
                                        + QLatin1String(AnagraficaRecord::info(field).name));
}

// Double-clicks the line at row as the mouse does: the first click selects it.
inline void doubleClickRow(QListView* list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QRect line = list->visualRect(index);
    const QPoint at(line.left() + 40, line.center().y()); // lines are wider than the list
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
