#include "core/registry/listline.h"

#include "core/base/hugepages.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
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
    // The keys are built once per line rather than once per comparison, one after the other in
    // a single buffer; lines with the same key keep the order they came in. Each entry carries
    // the first 24 bytes of its key as three numbers, so most comparisons are settled inside
    // the array being sorted.
    struct Entry {
        std::uint64_t prefix[3];
        size_t at;
        size_t length;
        qsizetype index;
    };
    size_t total = 0;
    for (const QString& line : std::as_const(lines))
        total += size_t(line.size()) * 2;
    std::string keys;
    keys.reserve(total);
    std::vector<Entry> entries;
    entries.reserve(size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const size_t at = keys.size();
        appendOrderKey(keys, lines.at(i));
        Entry entry{{0, 0, 0}, at, keys.size() - at, i};
        for (size_t b = 0; b < 24 && b < entry.length; ++b)
            entry.prefix[b / 8] |= std::uint64_t(uchar(keys[at + b])) << (56 - 8 * (b % 8));
        entries.push_back(entry);
    }
    const char* base = keys.data();
    std::sort(entries.begin(), entries.end(), [base](const Entry& a, const Entry& b) {
        for (int w = 0; w < 3; ++w) {
            if (a.prefix[w] != b.prefix[w])
                return a.prefix[w] < b.prefix[w];
        }
        const int c = std::memcmp(base + a.at, base + b.at, std::min(a.length, b.length));
        if (c != 0)
            return c < 0;
        return a.length < b.length || (a.length == b.length && a.index < b.index);
    });
    // The lines move into their new places: nothing is copied.
    QString* moved = lines.data();
    QStringList sorted;
    sorted.reserve(lines.size());
    for (const Entry& entry : entries)
        sorted.append(std::move(moved[entry.index]));
    lines.swap(sorted);
}

std::pair<const char*, int> storedValue(const char* card, AnagraficaField field)
{
    const AnagraficaFieldInfo& f = AnagraficaRecord::info(field);
    const char* at = card + f.offset;
    const int length = std::min(int(uchar(at[0])), f.capacity);
    const char* begin = at + 1;
    const char* end = begin + length;
    while (begin < end && uchar(*begin) <= 32)
        ++begin;
    while (end > begin && uchar(end[-1]) <= 32)
        --end;
    return {begin, int(end - begin)};
}

namespace {

// The order of a stored byte: a to z count as A to Z, every other byte as its own code.
constexpr uchar orderOf(uchar b)
{
    return b >= 'a' && b <= 'z' ? uchar(b - 'a' + 'A') : b;
}

// The orders of the 8 bytes at p packed into one number, the first byte highest: what
// packing orderOf of each byte gives, eight bytes at a time.
inline std::uint64_t orderWord(const uchar* p)
{
    std::uint64_t x = 0;
    for (int k = 0; k < 8; ++k)
        x = (x << 8) | p[k];
    constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
    constexpr std::uint64_t kHigh = 0x8080808080808080ULL;
    // A byte's high bit marks it: below 128, at least 'a', and not past 'z'. No lane carries
    // into the next, as each lane's sum stays below 256.
    const std::uint64_t low = x & ~kHigh;
    const std::uint64_t fromA = low + (0x80 - 'a') * kOnes;
    const std::uint64_t pastZ = low + (0x80 - 'z' - 1) * kOnes;
    const std::uint64_t lower = fromA & ~pastZ & ~x & kHigh;
    return x - (lower >> 2); // 0x80 >> 2 is the 0x20 between a and A
}

} // namespace

int putStoredValue(char* dst, int room, const AnagraficaRecord& card, AnagraficaField field)
{
    return putStoredValue(dst, room, card.bytes().constData(), field);
}

int putStoredValue(char* dst, int room, const char* card, AnagraficaField field)
{
    const auto [value, length] = storedValue(card, field);
    const int n = std::max(0, std::min(length, room));
    std::memcpy(dst, value, size_t(n));
    return n;
}

void writeCardLineStart(const AnagraficaRecord& card, char* d)
{
    writeCardLineStart(card.bytes().constData(), d);
}

void writeCardLineStart(const char* card, char* d)
{
    using F = AnagraficaField;
    const int surname = putStoredValue(d, 30, card, F::Cognome);
    if (surname < 29)
        putStoredValue(d + surname + 1, 29 - surname, card, F::Nome);
    std::memcpy(d + 30, "  Tel. ", 7);
    putStoredValue(d + 37, 16, card, F::Recapito);
    std::memcpy(d + 53, "  C.F. ", 7);
    putStoredValue(d + 60, 16, card, F::CodFisc);
}

void appendListLineBytes(const AnagraficaRecord& card, AnagraficaField lastColumn, std::string& out)
{
    appendListLineBytes(card.bytes().constData(), lastColumn, out);
}

void appendListLineBytes(const char* card, AnagraficaField lastColumn, std::string& out)
{
    const size_t at = out.size();
    out.resize(at + kListLineFixedLength, ' ');
    char* d = out.data() + at;
    writeCardLineStart(card, d);
    std::memcpy(d + kCardLineStartLength, "  Citt\xE0: ", 9); // à in the stored character set
    putStoredValue(d + 85, 28, card, AnagraficaField::ComuneRes);
    const auto last = storedValue(card, lastColumn);
    out.append(last.first, size_t(last.second));
}

void CardLineList::appendCard(const AnagraficaRecord& card, AnagraficaField lastColumn)
{
    appendCard(card.bytes().constData(), lastColumn);
}

void CardLineList::appendCard(const char* card, AnagraficaField lastColumn)
{
    appendWith([&](std::string& out) { appendListLineBytes(card, lastColumn, out); });
}

void CardLineList::reserve(qsizetype lines, qsizetype bytesPerLine)
{
    m_bytes.reserve(m_bytes.size() + size_t(lines * bytesPerLine));
    m_starts.reserve(m_starts.size() + size_t(lines));
    preferHugePages(m_bytes.data(), m_bytes.capacity());
    preferHugePages(m_starts.data(), m_starts.capacity() * sizeof(qsizetype));
}

void CardLineList::clear()
{
    m_bytes.clear();
    m_bytes.shrink_to_fit();
    m_starts.assign(1, 0);
    m_starts.shrink_to_fit();
    m_order.clear();
    m_order.shrink_to_fit();
}

QString CardLineList::at(qsizetype i) const
{
    if (i < 0 || i >= size())
        return QString();
    const size_t stored = m_order.empty() ? size_t(i) : size_t(m_order[size_t(i)]);
    const qsizetype from = m_starts[stored];
    const qsizetype length = m_starts[stored + 1] - from;
    QString line(length, Qt::Uninitialized);
    decodeWindows1252(m_bytes.data() + from, length, line.data());
    return line;
}

QStringList CardLineList::toList() const
{
    QStringList lines;
    lines.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        lines.append(at(i));
    return lines;
}

namespace {

// From this many lines on, a sort uses a second thread: below it, starting one costs more than
// it saves.
constexpr qsizetype kLinesForTwoThreads = 20000;

// Runs work(0) and work(1) at the same time, work(1) on a thread of its own, when halves is 2
// and a thread can be had; otherwise one after the other (or work(0) alone when halves is 1).
template <typename Work> void inHalves(int halves, const Work& work)
{
    if (halves == 1) {
        work(0);
        return;
    }
    std::thread second;
    try {
        second = std::thread([&work] { work(1); });
    } catch (const std::system_error&) {
        work(0);
        work(1);
        return;
    }
    work(0);
    second.join();
}

} // namespace

void CardLineList::sort()
{
    // Each entry carries the orders of the first 40 bytes of its line (the name and most of
    // the telephone) packed into five numbers, so nearly every comparison is settled inside
    // the array being sorted; the rest go on byte by byte. A line shorter than the prefix ends
    // in zeros there, and the lengths settle its tie with a line that goes on with zeros.
    //
    // The entries are first dealt into buckets by the orders of their first two bytes, and
    // then each bucket is sorted on its own: the same order as one sort of the whole list (the
    // comparison is a total order, the index settling the last ties), in a fraction of the
    // comparisons, each bucket small enough to stay in the cache.
    static constexpr int kWords = 5;
    static constexpr qsizetype kPrefix = qsizetype{kWords} * 8;
    struct Entry {
        std::uint64_t prefix[kWords];
        qsizetype index;
    };
    const qsizetype n = size();
    const uchar* bytes = reinterpret_cast<const uchar*>(m_bytes.data());
    const auto bucketOf = [&](qsizetype i) {
        const qsizetype from = m_starts[size_t(i)];
        const qsizetype length = m_starts[size_t(i) + 1] - from;
        const unsigned first = length > 0 ? orderOf(bytes[from]) : 0;
        const unsigned second = length > 1 ? orderOf(bytes[from + 1]) : 0;
        return (first << 8) | second;
    };
    static constexpr size_t kBuckets = 1 << 16;
    // A long list is dealt and sorted in two halves at once, one on a second thread: each half
    // of the lines is counted and dealt on its own, into places of its own in every bucket (the
    // comparison, not the places, settles the order); then the buckets are split between the
    // two threads at about half the lines.
    const int halves = n >= kLinesForTwoThreads ? 2 : 1;
    const qsizetype half = (n + 1) / 2;
    const auto linesOf = [&](int h) {
        return halves == 1 ? std::pair<qsizetype, qsizetype>(0, n)
                           : std::pair<qsizetype, qsizetype>(h == 0 ? 0 : half, h == 0 ? half : n);
    };
    std::vector<qsizetype> counts[2];
    std::vector<qsizetype> bucketStart(kBuckets + 1, 0);
    inHalves(halves, [&](int h) {
        counts[h].assign(kBuckets, 0);
        const auto [from, to] = linesOf(h);
        for (qsizetype i = from; i < to; ++i)
            ++counts[h][bucketOf(i)];
    });
    // Each half's counts become the places where its next line of each bucket goes.
    for (size_t b = 0; b < kBuckets; ++b) {
        const qsizetype first = counts[0][b];
        const qsizetype second = halves == 2 ? counts[1][b] : 0;
        bucketStart[b + 1] = bucketStart[b] + first + second;
        counts[0][b] = bucketStart[b];
        if (halves == 2)
            counts[1][b] = bucketStart[b] + first;
    }
    std::vector<Entry> entries(static_cast<size_t>(n));
    inHalves(halves, [&](int h) {
        std::vector<qsizetype>& next = counts[h];
        const auto [lineFrom, lineTo] = linesOf(h);
        for (qsizetype i = lineFrom; i < lineTo; ++i) {
            Entry& e = entries[size_t(next[bucketOf(i)]++)];
            e.index = i;
            const qsizetype from = m_starts[size_t(i)];
            const qsizetype length = std::min(m_starts[size_t(i) + 1] - from, kPrefix);
            if (length == kPrefix) {
                for (int w = 0; w < kWords; ++w)
                    e.prefix[w] = orderWord(bytes + from + qsizetype{8} * w);
                continue;
            }
            for (int w = 0; w < kWords; ++w)
                e.prefix[w] = 0;
            for (qsizetype k = 0; k < length; ++k)
                e.prefix[k / 8] |= std::uint64_t(orderOf(bytes[from + k])) << (56 - 8 * (k % 8));
        }
    });
    const qsizetype* starts = m_starts.data();
    const auto less = [bytes, starts](const Entry& a, const Entry& b) {
        for (int w = 0; w < kWords; ++w) {
            if (a.prefix[w] != b.prefix[w])
                return a.prefix[w] < b.prefix[w];
        }
        const uchar* x = bytes + starts[a.index];
        const uchar* y = bytes + starts[b.index];
        const qsizetype xn = starts[a.index + 1] - starts[a.index];
        const qsizetype yn = starts[b.index + 1] - starts[b.index];
        const qsizetype common = std::min(xn, yn);
        for (qsizetype k = std::min(common, kPrefix); k < common; ++k) {
            const uchar u = orderOf(x[k]);
            const uchar v = orderOf(y[k]);
            if (u != v)
                return u < v;
        }
        return xn < yn || (xn == yn && a.index < b.index);
    };
    // The first bucket the second thread sorts: where about half the lines have gone before.
    const size_t split = size_t(std::lower_bound(bucketStart.begin(), bucketStart.end(), half)
                                - bucketStart.begin());
    inHalves(halves, [&](int h) {
        const size_t from = halves == 1 || h == 0 ? 0 : std::min(split, kBuckets);
        const size_t to = halves == 1 || h == 1 ? kBuckets : std::min(split, kBuckets);
        for (size_t b = from; b < to; ++b) {
            if (bucketStart[b + 1] - bucketStart[b] > 1)
                std::sort(entries.begin() + bucketStart[b], entries.begin() + bucketStart[b + 1],
                          less);
        }
    });
    m_order.resize(size_t(n));
    for (size_t i = 0; i < entries.size(); ++i)
        m_order[i] = entries[i].index;
}
