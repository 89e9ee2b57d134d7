#pragma once

#include "core/registry/anagraficarecord.h"

#include <QString>
#include <QStringList>

// The line that describes a registry card in the system's lists of cards (the search results,
// the recontact list): fixed-width columns, then one free column at the end.
//
//   name (30) "  Tel. " phone (16) "  C.F. " tax code (16) "  Città: " town (28) two blanks
//   then the last column, trimmed, neither padded nor cut.

// The columns before the last one always take this many characters.
constexpr int kListLineFixedLength = 115;

// Appends n blanks to text, then keeps the first n characters.
QString padCut(const QString& text, int n);

// The line of a card, with the given field as its last column.
QString ListLine(const AnagraficaRecord& card, AnagraficaField lastColumn);

// Sorts lines into list order: ascending by their whole text, comparing the codes of the
// stored character set after mapping a to z onto A to Z. Lines that compare equal keep the
// order they came in. One sort of the whole list, O(n log n).
void sortListLines(QStringList& lines);

// True when a comes before b in list order.
bool listLineLess(const QString& a, const QString& b);
