#pragma once

#include "core/reports/reportdocument.h"

#include <QDate>
#include <QFont>

// Text inside report boxes: fonts, evaluation of bracketed names, wrapping and cutting.
// Shared by the layout and the renderer so that what is measured is what is drawn.

// Report fonts are built 100 times larger than their height in units (a pixel size is a whole
// number, and 9.333 units must stay 9.333) and drawn under a matching 1/100 scale.
constexpr double kFontScale = 100.0;
QFont reportQFont(const ReportFont& font);

// The template's text with each known bracketed name replaced: [DATE] is the date in the
// short date format. Unknown names stay as written.
QString evaluateNames(const QString& text, const QDate& today);

// Turns a template text box into its prepared form: names evaluated where allowed, lines
// wrapped where word wrap is on, lines wholly outside the box dropped, and each line cut to
// the characters that fall inside the box's width, with its starting x recorded.
void layOutText(ReportObject& box, const QDate& today);

// Distance from the top of a line's slot to its baseline: the line is centred in its slot.
double baselineInSlot(const ReportFont& font, double pitch);
