#pragma once

#include <QString>

// The IBAN check (MOD 97-10): a correct IBAN leaves the remainder 1.

// The text with every upper-case letter A to Z replaced by its two-digit value (A = 10 ...
// Z = 35). Lower-case letters, digits and every other character stay as they are.
QString IbanToDigits(const QString& text);

// Upper-cases text (a to z), deletes the first "IBAN" in it, moves the first four characters
// to the end, turns letters into digits and returns the remainder of that number modulo 97,
// worked out nine digits at a time. 0 for an empty text or when anything but a digit is left.
int IbanMod97(const QString& text);

// True when the text, without its blanks, leaves the remainder 1.
bool IbanValid(const QString& text);
