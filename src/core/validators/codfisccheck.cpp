#include "core/validators/codfisccheck.h"

namespace {

// Both tables run over the character codes '0' (48) to 'Z' (90); the seven characters
// between '9' and 'A' are worth 0.
constexpr int tableFirst = '0';
constexpr int tableLast = 'Z';
constexpr int tableSize = tableLast - tableFirst + 1; // 43

// Values of the 1st, 3rd, ... 15th characters.
constexpr int oddTable[tableSize] = {
    1,  0,  5, 7, 9, 13, 15, 17, 19, 21,             // 0-9
    0,  0,  0, 0, 0, 0,  0,                          // : ; < = > ? @
    1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18, // A-M
    20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23, // N-Z
};

// Values of the 2nd, 4th, ... 14th characters.
constexpr int evenTable[tableSize] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,              // 0-9
    0,  0,  0,  0,  0,  0,  0,                          // : ; < = > ? @
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, // A-M
    13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, // N-Z
};

} // namespace

bool CodFiscCheckChar(const QString& text)
{
    if (text.size() != 16)
        return false;
    int sum = 0;
    for (int i = 1; i <= 15; ++i) {
        const char16_t code = text.at(i - 1).unicode();
        if (code < tableFirst || code > tableLast)
            return false;
        sum += (i % 2 == 1 ? oddTable : evenTable)[code - tableFirst];
    }
    const QChar expected = QLatin1Char(char('A' + sum % 26));
    return text.at(15) == expected;
}
