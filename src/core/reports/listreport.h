#pragma once

#include "core/reports/reportdocument.h"

#include <QStringList>

#include <memory>

// The list report: a title bar, the lines of a screen's list flowing over as many A4
// landscape pages as they need, and the line with the date of printing after the last one.
// Used by every screen that prints its list.

// Distance between two lines of the list, in units.
constexpr double kListLinePitch = 12.822;

std::unique_ptr<ReportDocument> makeListReport();

// Puts the title and the lines into the report and sizes the list box and its band to the
// lines. Every filling replaces everything the previous one put in.
void fillListReport(ReportDocument& report, const QString& title, const QStringList& lines);
