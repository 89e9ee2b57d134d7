#pragma once

#include <QString>
#include <QStringList>

class AnagraficaRecord;

// The selection screen's line for one registry card: exactly 120 characters in fixed columns
// (name, telephone, codice fiscale, duties), so that a fixed-width font lines them up.
QString personListLine(const AnagraficaRecord& card);

// "Cognome Nome" of a card, whole (the list line cuts it at 30 characters).
QString personName(const AnagraficaRecord& card);

// The find-next search of the selection list. key is the search text already lowered (A to Z
// only). A new key (different from lastKey) tests the lines from the first; the same key again
// starts after the selected line, wraps round and tests the selected line last. A line matches
// when it holds key (lowered the same way); an empty key matches nothing. Returns the index of
// the matching line, or -1.
int findPersonLine(const QStringList& lines, int selected, const QString& key,
                   const QString& lastKey);
