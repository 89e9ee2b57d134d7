#pragma once

#include <QString>

// The check character of a codice fiscale: true when text has exactly 16 characters and the
// 16th is the letter that the first 15 give through the odd- and even-position tables.
// Only the length and the check character are examined. A character that neither table
// knows (anything but 0-9, the seven characters ':' to '@' and A-Z, lower-case letters
// included) makes the code wrong.
bool CodFiscCheckChar(const QString& text);
