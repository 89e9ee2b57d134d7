#include "core/registry/cardsearch.h"

#include "core/registry/listline.h"
#include "core/registry/registry.h"
#include "core/storage/text.h"

void CardFilters::add(AnagraficaField field, const QString& typed)
{
    // A filter of blanks only is a filter left empty: it takes no part in the search, so it
    // can neither be required nor stand in for another filter that does not match.
    if (trimText(typed).isEmpty())
        return;
    m_filters.push_back({field, lowerAZ(typed)});
}

bool CardFilters::accepts(const AnagraficaRecord& card) const
{
    for (const Filter& filter : m_filters) {
        if (!lowerAZ(card.get(filter.field)).contains(filter.key))
            return false;
    }
    return true;
}

CardLines readCardLines(AnagraficaField lastColumn,
                        const std::function<bool(const AnagraficaRecord&)>& accept,
                        const WorkProgress& progress)
{
    CardLines result;
    result.ok = Registry().scan(
        [&](qint64, const AnagraficaRecord& card) {
            if (accept(card))
                result.lines.appendCard(card, lastColumn);
        },
        {}, progress);
    return result;
}

CardOfLine findCardOfLine(const QString& line, AnagraficaField lastColumn,
                          const WorkProgress& progress)
{
    CardOfLine result;
    const QString wanted = trimText(line);
    result.ok = Registry().scan(
        [&](qint64 index, const AnagraficaRecord& card) {
            if (trimText(ListLine(card, lastColumn)) == wanted) {
                result.index = index;
                result.record = card;
            }
        },
        {}, progress);
    return result;
}
