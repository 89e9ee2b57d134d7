#include "core/storage/windows1252.h"

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves undefined map to
// the C1 control of the same value, as the system's own converter does, so that every byte
// reads back to something and writes back to itself.
const char16_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int byteFor(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return int(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == cp)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

bool isWindows1252(char32_t codePoint)
{
    return byteFor(codePoint) >= 0;
}

QByteArray toWindows1252(const QString& text)
{
    const qsizetype n = text.size();
    QByteArray out(n, Qt::Uninitialized);
    char* dst = out.data();
    const QChar* src = text.constData();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = src[i].unicode();
        if (u < 0x80) {
            dst[kept++] = char(u);
            continue;
        }
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(src[i + 1].unicode())) {
            ++i; // one character outside the Basic Multilingual Plane: one "?"
            dst[kept++] = '?';
            continue;
        }
        const int b = byteFor(u);
        dst[kept++] = b < 0 ? '?' : char(b);
    }
    out.truncate(kept);
    return out;
}

void decodeWindows1252(const char* bytes, qsizetype length, QChar* dst)
{
    for (qsizetype i = 0; i < length; ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighTable[b - 0x80]) : QChar(char16_t(b));
    }
}

QString fromWindows1252(const char* bytes, int length)
{
    QString out;
    out.resize(length);
    decodeWindows1252(bytes, length, out.data());
    return out;
}
