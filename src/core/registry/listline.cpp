#include "core/registry/listline.h"

#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// The key a line is ordered by: each character replaced by its order, written as two bytes,
// high byte first, so that comparing the keys byte by byte (one memcmp) orders them exactly as
// comparing the orders one by one would. Appended to key.
void appendOrderKey(std::string& key, const QString& line)
{
    const std::vector<char16_t>& table = orderTable();
    const size_t at = key.size();
    key.resize(at + size_t(line.size()) * 2);
    char* out = key.data() + at;
    for (const QChar c : line) {
        const char16_t order = table[c.unicode()];
        *out++ = char(order >> 8);
        *out++ = char(order & 0xFF);
    }
}

std::string orderKey(const QString& line)
{
    std::string key;
    appendOrderKey(key, line);
    return key;
}

} // namespace

QString padCut(const QString& text, int n)
{
    return (text + QString(n, QLatin1Char(' '))).left(n);
}

QString ListLine(const AnagraficaRecord& card, AnagraficaField lastColumn)
{
    // The fixed columns are written straight into a line of blanks, without a text of their
    // own for every field: a registry of a hundred thousand cards is listed at the pace of
    // reading it.
    using F = AnagraficaField;
    QString line(kListLineFixedLength, QLatin1Char(' '));
    QChar* d = line.data();
    const int surname = card.writeTo(d, 30, F::Cognome);
    if (surname < 29)
        card.writeTo(d + surname + 1, 29 - surname, F::Nome);
    auto put = [d](int at, const char16_t* text) {
        for (; *text; ++text)
            d[at++] = QChar(*text);
    };
    put(30, u"  Tel. ");
    card.writeTo(d + 37, 16, F::Recapito);
    put(53, u"  C.F. ");
    card.writeTo(d + 60, 16, F::CodFisc);
    put(76, u"  Citt\u00e0: ");
    card.writeTo(d + 85, 28, F::ComuneRes);
    card.appendTo(line, lastColumn);
    return line;
}

bool listLineLess(const QString& a, const QString& b)
{
    return orderKey(a) < orderKey(b);
}

void sortListLines(QStringList& lines)
{
    // Each entry carries the orders of the first 16 characters of its line packed into four
    // numbers, so most comparisons are settled inside the array being sorted; the rest go on
    // character by character through the order table. No key is kept for the whole line: a
    // list of a million lines is sorted in a few tens of megabytes. Lines that compare equal
    // keep the order they came in.
    static constexpr int kPrefixWords = 4;
    static constexpr qsizetype kPrefixChars = kPrefixWords * 4;
    struct Entry {
        std::uint64_t prefix[kPrefixWords];
        qsizetype index;
    };
    const std::vector<char16_t>& table = orderTable();
    std::vector<Entry> entries;
    entries.reserve(size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Entry entry{{0, 0, 0, 0}, i};
        const QChar* c = lines.at(i).constData();
        const qsizetype n = std::min(lines.at(i).size(), kPrefixChars);
        // A line shorter than the prefix ends in zeros, below every character's order but
        // that of U+0000 itself; the tie between the two is settled by the lengths below.
        for (qsizetype k = 0; k < n; ++k)
            entry.prefix[k / 4] |= std::uint64_t(table[c[k].unicode()]) << (48 - 16 * (k % 4));
        entries.push_back(entry);
    }
    const QString* text = lines.constData();
    std::sort(entries.begin(), entries.end(), [text, &table](const Entry& a, const Entry& b) {
        for (int w = 0; w < kPrefixWords; ++w) {
            if (a.prefix[w] != b.prefix[w])
                return a.prefix[w] < b.prefix[w];
        }
        const QString& x = text[a.index];
        const QString& y = text[b.index];
        const qsizetype common = std::min(x.size(), y.size());
        const QChar* p = x.constData();
        const QChar* q = y.constData();
        for (qsizetype k = std::min(common, kPrefixChars); k < common; ++k) {
            const char16_t u = table[p[k].unicode()];
            const char16_t v = table[q[k].unicode()];
            if (u != v)
                return u < v;
        }
        return x.size() < y.size() || (x.size() == y.size() && a.index < b.index);
    });
    // The lines move into their new places: nothing is copied.
    QString* moved = lines.data();
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Entry& entry : entries)
        sorted.append(std::move(moved[entry.index]));
    lines.swap(sorted);
}
