#pragma once

#include "core/reports/reportdocument.h"

#include <QString>

#include <array>
#include <memory>

// The calendar sheet: one A4 landscape page with a row per month and a column per day, an X
// on every day the person was present, the person's telephone, codice fiscale and duties, and
// the closing line with the date and time of printing.

constexpr int kSheetDays = 366;

// What the sheet shows, read from the calendar as it is on screen.
struct CalendarSheetData {
    QString person;
    QString year;
    QString recapito;
    QString codFisc;
    QString mansioni;
    // One flag per day, 1 January to 31 December with 29 February after 28 February.
    std::array<bool, kSheetDays> present{};
};

std::unique_ptr<ReportDocument> makeCalendarSheet();

// The name of the sheet's cell of day `day` (1 to 31) of month `month` (1 to 12),
// "txtGen_01" ... "txtDic_31".
QString sheetCellName(int month, int day);

// Puts the data into the sheet: landscape page, title, the three fields, one "X" or " " per
// day, and the closing line read from the clock. Texts are trimmed.
void fillCalendarSheet(ReportDocument& sheet, const CalendarSheetData& data);
