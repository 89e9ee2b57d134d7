#pragma once

#include "core/reports/reportdocument.h"

#include <QString>

#include <memory>

// The registry card: one A4 portrait page with the logo, the title bar, 24 rows each made of a
// label box and a value box, two rules and the closing line with the date and time of
// printing. The template's boxes hold placeholder texts until the card screen fills them.

constexpr int kCardReportRows = 24;

// The document's name: the print job's title, the preview's caption, the PDF's title.
QString cardReportName();

std::unique_ptr<ReportDocument> makeCardReport();

// The label box and the value box of row 1 to 24: "titCampo01" / "txtCampo01" ...
QString cardLabelName(int row);
QString cardValueName(int row);
