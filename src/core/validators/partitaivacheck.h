#pragma once

#include <QString>

#include <utility>
#include <vector>

// True when text is 11 digits whose last is the check digit of the first ten (the Luhn
// formula over the first ten digits).
bool PartitaIvaValid(const QString& text);

// The provincial VAT offices by their three-digit code (positions 8 to 10 of a partita IVA):
// 001 to 102, and 120 and 121, which repeat the names of 101 and 102. 104 entries.
struct IvaOffice {
    const char* code;
    const char* name; // UTF-8
};
const std::vector<IvaOffice>& IvaOfficeTable();

// The office name for a code, or the empty text when the table has no such code.
QString ivaOfficeName(const QString& code);
