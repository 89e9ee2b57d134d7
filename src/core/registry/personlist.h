#pragma once

#include <QString>
#include <QStringList>

#include <string>

class AnagraficaRecord;

// The selection screen's line for one registry card: exactly kPersonListLineLength characters in
// fixed columns (name, telephone, codice fiscale, duties), so that a fixed-width font lines
// them up.
constexpr int kPersonListLineLength = 120;
QString personListLine(const AnagraficaRecord& card);

// Appends the personListLine of card as the registry stores its characters (Windows-1252, one
// byte each), built straight from the card's bytes: decoded, it is personListLine(card).
void appendPersonListLineBytes(const AnagraficaRecord& card, std::string& out);
// The same from a card's stored bytes (AnagraficaRecord::kSize of them), read in place.
void appendPersonListLineBytes(const char* card, std::string& out);

// "Cognome Nome" of a card, whole (the list line cuts it at 30 characters).
QString personName(const AnagraficaRecord& card);
