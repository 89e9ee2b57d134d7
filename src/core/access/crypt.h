#pragma once

#include <QString>

#include <optional>

// The scrambling of the access password: a rolling-key XOR over the low byte of each
// character, written as two upper-case hexadecimal digits per character. The key is always
// advanced with the scrambled byte, so Decrypt(Encrypt(s)) == s for every text of characters
// U+0000 to U+00FF. Both routines count characters with an 8-bit counter: texts of up to
// kMaxCryptLength characters (kMaxCryptLength pairs of digits) are the supported range.

constexpr int kMaxCryptLength = 255;

// Password text in, hex text out (2 digits per character; only the low byte of a character
// is kept). Nothing when the text is longer than kMaxCryptLength characters.
std::optional<QString> Encrypt(const QString& text);

// Hex text in, password text out (1 character per pair of digits; an odd last digit is
// ignored; either case of A-F is read). Nothing when a pair is not two hexadecimal digits or
// when the text holds more than kMaxCryptLength pairs: that is a damaged value, never ours.
std::optional<QString> Decrypt(const QString& hex);
