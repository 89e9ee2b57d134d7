#include "registry/cardsearch.h"

#include "registry/listline.h"
#include "storage/recordfile.h"
#include "storage/text.h"

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

namespace {

// Reads every card of the registry in file order and hands it to visit with its index.
bool forEachCard(const std::function<void(qint64, const AnagraficaRecord&)>& visit)
{
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return false;
    const qint64 count = file.count();
    QByteArray bytes;
    for (qint64 index = 0; index < count; ++index) {
        if (!file.read(bytes))
            return false; // the destructor closes the file
        visit(index, AnagraficaRecord(bytes));
    }
    return file.close();
}

} // namespace

CardLines readCardLines(AnagraficaField lastColumn,
                        const std::function<bool(const AnagraficaRecord&)>& accept)
{
    CardLines result;
    result.ok = forEachCard([&](qint64, const AnagraficaRecord& card) {
        if (accept(card))
            result.lines.append(ListLine(card, lastColumn));
    });
    return result;
}

CardOfLine findCardOfLine(const QString& line, AnagraficaField lastColumn)
{
    CardOfLine result;
    const QString wanted = trimText(line);
    result.ok = forEachCard([&](qint64 index, const AnagraficaRecord& card) {
        if (trimText(ListLine(card, lastColumn)) == wanted) {
            result.index = index;
            result.record = card;
        }
    });
    return result;
}
