#pragma once

#include "core/reports/reportdocument.h"

#include <vector>

class QPainter;
class QPagedPaintDevice;

// Draws prepared pages. The same code serves the printer, the preview and the PDF writer.

// Draws one page. The painter's origin must be the top-left corner of the printable area and
// its scale one unit (1/96 inch) per logical pixel.
void drawPreparedPage(QPainter& painter, const PreparedPage& page);

// Sets the device's page layout and draws every page on it, one device page each. Returns
// false when the device could not be painted on.
bool renderPages(QPagedPaintDevice& device, const QPageLayout& layout,
                 const std::vector<PreparedPage>& pages);
