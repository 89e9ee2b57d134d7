#include "core/access/crypt.h"

#include <cstdint>

namespace {

// Fixed at build time: a file written with one set of values reads only with the same set.
constexpr std::uint16_t kStartKey = 0x6B1D;
constexpr std::uint16_t kMultiplier = 0x9E37;
constexpr std::uint16_t kIncrement = 0x3A95;

// Every step modulo 65536. The product is taken in 32 unsigned bits: two 16-bit values would
// be multiplied as (signed) int, which overflows.
std::uint16_t nextKey(std::uint16_t key, std::uint8_t scrambled)
{
    const std::uint32_t sum = std::uint16_t(scrambled + key);
    return std::uint16_t(std::uint16_t(sum * kMultiplier) + kIncrement);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

std::optional<QString> Encrypt(const QString& text)
{
    if (text.size() > kMaxCryptLength)
        return std::nullopt;
    static const char digits[] = "0123456789ABCDEF";
    QString hex;
    hex.reserve(text.size() * 2);
    std::uint16_t key = kStartKey;
    for (const QChar c : text) {
        const auto plain = std::uint8_t(c.unicode() & 0xFF);
        const auto scrambled = std::uint8_t(plain ^ (key >> 8));
        hex += QLatin1Char(digits[scrambled >> 4]);
        hex += QLatin1Char(digits[scrambled & 0x0F]);
        key = nextKey(key, scrambled);
    }
    return hex;
}

std::optional<QString> Decrypt(const QString& hex)
{
    const qsizetype pairs = hex.size() / 2;
    if (pairs > kMaxCryptLength)
        return std::nullopt;
    QString text;
    text.reserve(pairs);
    std::uint16_t key = kStartKey;
    for (qsizetype i = 0; i < pairs; ++i) {
        const int high = hexDigit(hex.at(2 * i));
        const int low = hexDigit(hex.at(2 * i + 1));
        if (high < 0 || low < 0)
            return std::nullopt;
        const auto scrambled = std::uint8_t(high * 16 + low);
        text += QChar(char16_t(scrambled ^ (key >> 8)));
        key = nextKey(key, scrambled);
    }
    return text;
}
