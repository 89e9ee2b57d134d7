#include "registry/listline.h"

#include "storage/text.h"
#include "storage/windows1252.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The order of one character: letters a to z count as A to Z, every other character as its
// code in the stored character set (a character outside it after all of them, by its own code).
// One table for all 65536 code units, built once.
const std::vector<char16_t>& orderTable()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(0x10000);
        for (char32_t u = 0; u < 0x10000; ++u) {
            char16_t code = char16_t(u);
            if (u >= 'a' && u <= 'z')
                code = char16_t(u - 'a' + 'A');
            else if (u >= 0x80 && isWindows1252(u))
                code = char16_t(uchar(toWindows1252(QString(QChar(char16_t(u)))).at(0)));
            t[u] = code;
        }
        return t;
    }();
    return table;
}

// The key a line is ordered by: each character replaced by its order.
std::u16string orderKey(const QString& line)
{
    const std::vector<char16_t>& table = orderTable();
    std::u16string key(size_t(line.size()), u'\0');
    const QChar* text = line.constData();
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = table[text[i].unicode()];
    return key;
}

} // namespace

QString padCut(const QString& text, int n)
{
    return (text + QString(n, QLatin1Char(' '))).left(n);
}

QString ListLine(const AnagraficaRecord& card, AnagraficaField lastColumn)
{
    using F = AnagraficaField;
    QString line;
    line.reserve(kListLineFixedLength + 64);
    line += padCut(card.get(F::Cognome) + QLatin1Char(' ') + card.get(F::Nome), 30);
    line += QStringLiteral("  Tel. ");
    line += padCut(card.get(F::Recapito), 16);
    line += QStringLiteral("  C.F. ");
    line += padCut(card.get(F::CodFisc), 16);
    line += QStringLiteral("  Citt\u00e0: ");
    line += padCut(card.get(F::ComuneRes), 28);
    line += QStringLiteral("  ");
    line += card.get(lastColumn);
    return line;
}

bool listLineLess(const QString& a, const QString& b)
{
    return orderKey(a) < orderKey(b);
}

void sortListLines(QStringList& lines)
{
    // The keys are built once per line rather than once per comparison; lines with the same
    // key keep the order they came in.
    struct Entry {
        std::u16string key;
        qsizetype index;
    };
    std::vector<Entry> entries;
    entries.reserve(size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        entries.push_back({orderKey(lines.at(i)), i});
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        const int c = a.key.compare(b.key);
        return c < 0 || (c == 0 && a.index < b.index);
    });
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Entry& entry : entries)
        sorted.append(lines.at(entry.index));
    lines.swap(sorted);
}
