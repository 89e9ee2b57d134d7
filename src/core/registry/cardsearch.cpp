#include "core/registry/cardsearch.h"

#include "core/registry/listline.h"
#include "core/registry/registry.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <string>
#include <string_view>

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
    const auto makeRoom = [&](qint64 cards) {
        // Room for every card's line, the last column at its longest: the memory a list of
        // fewer cards leaves unused is never touched.
        result.lines.reserve(cards,
                             kListLineFixedLength + AnagraficaRecord::info(lastColumn).capacity);
    };
    if (!accept) {
        // Every card is listed: the cards are read in place, none is copied.
        result.ok = Registry().scanBytes(
            [&](qint64, const char* card) { result.lines.appendCard(card, lastColumn); }, makeRoom,
            progress);
        return result;
    }
    result.ok = Registry().scan(
        [&](qint64, const AnagraficaRecord& card) {
            if (accept(card))
                result.lines.appendCard(card, lastColumn);
        },
        makeRoom, progress);
    return result;
}

namespace {

std::string_view trimmedBytes(std::string_view bytes)
{
    size_t from = 0;
    size_t to = bytes.size();
    while (from < to && uchar(bytes[from]) <= 32)
        ++from;
    while (to > from && uchar(bytes[to - 1]) <= 32)
        --to;
    return bytes.substr(from, to - from);
}

} // namespace

CardOfLine findCardOfLine(const QString& line, AnagraficaField lastColumn,
                          const WorkProgress& progress)
{
    return findCardOfLine(
        line,
        [lastColumn](const AnagraficaRecord& card, std::string& out) {
            appendListLineBytes(card, lastColumn, out);
        },
        progress);
}

CardOfLine findCardOfLine(const QString& line, const CardLineWriter& writeLine,
                          const WorkProgress& progress)
{
    // The cards' lines are compared as the registry stores their characters, without a text of
    // their own: a character of the line that the stored character set cannot hold is in no
    // card's line, and trimming the bytes up to 32 trims the same characters as the text.
    CardOfLine result;
    const QString wanted = trimText(line);
    bool possible = true;
    for (const QChar c : wanted)
        possible = possible && !c.isSurrogate() && isWindows1252(c.unicode());
    const QByteArray wantedBytes = toWindows1252(wanted);
    const std::string_view target(wantedBytes.constData(), size_t(wantedBytes.size()));
    std::string candidate;
    result.ok = Registry().scan(
        [&](qint64 index, const AnagraficaRecord& card) {
            candidate.clear();
            writeLine(card, candidate);
            if (possible && trimmedBytes(candidate) == target) {
                result.index = index;
                result.record = card;
            }
        },
        {}, progress);
    return result;
}
