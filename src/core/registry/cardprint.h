#pragma once

#include "core/registry/anagraficarecord.h"

#include <QString>

#include <functional>

class ReportDocument;

// The texts of a card's control, as the card screen shows them at this moment.
using ControlText = std::function<QString(AnagraficaField)>;

// Fills the registry card document from the card screen's controls: portrait page, the title,
// the 24 rows' labels and values in order and, last, the closing line with the date and time
// read from the clock at that moment. Each control's text is trimmed before the parts of a
// value are joined, so an empty part leaves its separators in place.
void fillCardReport(ReportDocument& card, const ControlText& controlText);
