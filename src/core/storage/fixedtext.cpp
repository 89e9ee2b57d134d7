#include "core/storage/fixedtext.h"

#include "core/storage/windows1252.h"

#include <cstring>

namespace FixedText {

int store(char* field, int capacity, const QString& value)
{
    QByteArray bytes = toWindows1252(value);
    const int kept = int(qMin<qsizetype>(bytes.size(), capacity));
    field[0] = char(static_cast<unsigned char>(kept));
    std::memcpy(field + 1, bytes.constData(), size_t(kept));
    std::memset(field + 1 + kept, 0, size_t(capacity - kept));
    return kept;
}

QString read(const char* field, int capacity)
{
    int length = static_cast<unsigned char>(field[0]);
    if (length > capacity)
        length = capacity;
    return fromWindows1252(field + 1, length);
}

} // namespace FixedText
