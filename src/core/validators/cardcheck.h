#pragma once

#include <QString>

#include <vector>

// The Luhn check of a payment card number. Only the digits among the first 20 characters of
// text (taken as single-byte text) count; blanks, dashes and anything else are skipped.
// Returns 0 when there is no digit or the last digit is not the check digit of the others,
// otherwise the brand class: the first digit minus 2 (3 gives 1, 4 gives 2, 5 gives 3,
// 6 gives 4; 0, 1, 2, 7, 8, 9 give -2, -1, 0, 5, 6, 7).
int CardCheck(const QString& text);

// The brands named for the classes 1 to 4. Class 1 is split by the first two characters of
// the field's trimmed text; classes 2 to 4 have no prefixes (any text of the class).
struct CardBrand {
    int cardClass;
    std::vector<const char*> prefixes;
    const char* brand;
};
const std::vector<CardBrand>& CardBrandTable();

// The brand text for a class and the field's trimmed text, tried in table order; the empty
// text when no row matches (class 1 beginning with 32 or 39, or any class outside 1 to 4).
QString cardBrand(int cardClass, const QString& trimmedText);
