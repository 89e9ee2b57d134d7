#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the single-byte character set of every stored record and of the spreadsheet
// export. A character the set cannot represent becomes "?" (one "?" per character, also for
// characters outside the Basic Multilingual Plane).
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const char* bytes, int length);
// Decodes length bytes into dst, which has room for length characters (one per byte).
void decodeWindows1252(const char* bytes, qsizetype length, QChar* dst);
inline QString fromWindows1252(const QByteArray& bytes)
{
    return fromWindows1252(bytes.constData(), int(bytes.size()));
}

// True when the character survives a round trip through Windows-1252.
bool isWindows1252(char32_t codePoint);
