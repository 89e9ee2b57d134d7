#pragma once

#include <QString>
#include <QStringList>

class AnagraficaRecord;

// The selection screen's line for one registry card: exactly 120 characters in fixed columns
// (name, telephone, codice fiscale, duties), so that a fixed-width font lines them up.
QString personListLine(const AnagraficaRecord& card);

// "Cognome Nome" of a card, whole (the list line cuts it at 30 characters).
QString personName(const AnagraficaRecord& card);
