#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The process-wide formats: dates as dd/mm/yyyy and the comma as decimal separator, whatever
// the system's regional settings. Called by the screens' creation handlers; idempotent.
void applyProcessFormats();

QString formatShortDate(const QDate& date); // "05/03/2024"
QString formatLongTime(const QTime& time);  // "09:05:03"
QDate parseShortDate(const QString& text);  // invalid when text is not dd/mm/yyyy
