#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The "Trova" search of the system's lists: finds the next item holding a key, going round
// the list once. The caller keeps the last key between clicks (how long it lives is the
// screen's business) and shows the message for an empty list.
struct FindInListResult {
    enum Outcome { EmptyList, Found, NotFound };
    Outcome outcome = EmptyList;
    int selection = -1; // the item to select afterwards (unchanged when nothing was found)
};

// items: the texts of the list, in list order; selected: the selected index or -1;
// typed: the key as typed (not trimmed). Letters A to Z are compared without case, everything
// else exactly; an empty key never matches. A key that differs from lastKey starts at the
// first item; the same key again continues after the selected item, round to the selected
// item itself. lastKey becomes the lower-cased key unless the list is empty.
FindInListResult FindInList(const QStringList& items, int selected, const QString& typed,
                            QString& lastKey);

// The same over a list that hands out its items one at a time (count items, item(i) the text
// of item i): for lists too long to be held as texts.
FindInListResult FindInList(int count, const std::function<QString(int index)>& item, int selected,
                            const QString& typed, QString& lastKey);
