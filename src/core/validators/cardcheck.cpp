#include "core/validators/cardcheck.h"

#include "core/storage/windows1252.h"

int CardCheck(const QString& text)
{
    // Single-byte text: a character outside Windows-1252 becomes '?', which is no digit.
    const QByteArray bytes = toWindows1252(text).left(20);
    QByteArray digits;
    for (const char c : bytes) {
        if (c >= '0' && c <= '9')
            digits.append(c);
    }
    const int n = int(digits.size());
    if (n == 0)
        return 0;

    // From the last digit but one back to the first; the last digit is the check digit.
    int sum = 0;
    bool doubled = true;
    for (int i = n - 2; i >= 0; --i) {
        int d = digits.at(i) - '0';
        if (doubled) {
            d *= 2;
            if (d >= 10)
                d -= 9;
        }
        sum += d;
        doubled = !doubled;
    }
    const int check = (10 - sum % 10) % 10;
    if (digits.at(n - 1) - '0' != check)
        return 0;
    return digits.at(0) - '2';
}

const std::vector<CardBrand>& CardBrandTable()
{
    static const std::vector<CardBrand> table = {
        {1, {"30", "36", "38"}, "Diner's Club / Carte Blanche"},
        {1, {"34", "37"}, "American Express"},
        {1, {"31", "33", "35"}, "JCB"},
        {2, {}, "Visa"},
        {3, {}, "MasterCard"},
        {4, {}, "Discover"},
    };
    return table;
}

QString cardBrand(int cardClass, const QString& trimmedText)
{
    const QString start = trimmedText.left(2);
    for (const CardBrand& row : CardBrandTable()) {
        if (row.cardClass != cardClass)
            continue;
        if (row.prefixes.empty())
            return QString::fromUtf8(row.brand);
        for (const char* prefix : row.prefixes) {
            if (start == QLatin1String(prefix))
                return QString::fromUtf8(row.brand);
        }
    }
    return QString();
}
