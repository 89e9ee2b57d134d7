#include "core/base/findinlist.h"

#include "core/storage/text.h"

FindInListResult FindInList(const QStringList& items, int selected, const QString& typed,
                            QString& lastKey)
{
    return FindInList(
        int(items.size()), [&items](int index) { return items.at(index); }, selected, typed,
        lastKey);
}

FindInListResult FindInList(int count, const std::function<QString(int index)>& item, int selected,
                            const QString& typed, QString& lastKey)
{
    FindInListResult result;
    if (count == 0)
        return result;
    if (selected < 0 || selected >= count)
        selected = 0;
    result.selection = selected;

    const QString key = lowerAZ(typed);
    auto matches = [&](int index) { return !key.isEmpty() && lowerAZ(item(index)).contains(key); };

    int start = 0;
    int index = 0;
    bool found = false;
    if (key != lastKey) {
        found = matches(0);
    } else {
        start = selected;
        index = selected;
    }
    while (!found) {
        index = (index + 1) % count;
        found = matches(index);
        if (index == start)
            break;
    }
    lastKey = key;
    result.outcome = found ? FindInListResult::Found : FindInListResult::NotFound;
    if (found)
        result.selection = index;
    return result;
}
