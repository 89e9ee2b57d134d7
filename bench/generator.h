#pragma once

#include <QString>
#include <QStringList>

// Realistic data for the benchmarks: a registry of Italian persons (names, cities with their
// province and postal code, telephones, mail addresses, codici fiscali, partite IVA, cards and
// IBANs with correct check characters, identity documents, duties, some cards ticked for
// recontact) and year files full of working days. The same seed always gives the same bytes.

struct GeneratedRegistry {
    int cards = 0;
    int recontact = 0;         // cards ticked "Da ricontattare"
    QStringList codiciFiscali; // of the first cards, for the year files
};

// Writes folder/Anagrafica.pro with the given number of cards, replacing an existing file.
// Returns false when the file cannot be written.
bool generateRegistry(const QString& folder, int cards, unsigned seed, GeneratedRegistry* out);

// The 366 day texts of a busy year: an activity on every working day (Monday to Friday of
// the given year), nothing on the other days.
QStringList generateYearTexts(int year, unsigned seed);

// Ten thousand-odd lines as a list screen shows them, for the list report.
QStringList generateListLines(int count, unsigned seed);
