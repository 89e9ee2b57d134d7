#pragma once

// Reading report output back: prepared pages flattened to text, and PDF files through
// poppler's pdftotext.

#include "core/reports/reportdocument.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <vector>

// A word of a PDF page, its box in millimetres from the page's top-left corner.
struct PdfWord {
    int page = 0; // 0-based
    QRectF mm;
    QString text;
};

// Every word of every page of the file, in reading order.
QList<PdfWord> pdfWords(const QString& pdfPath);

// The document information as pdfinfo prints it (Title, Subject, Author, Creator, Pages ...).
QString pdfInfoField(const QString& pdfPath, const QString& field);

// A prepared page set as one text: each item's name, box (in hundredths of a millimetre) and
// lines, so that two preparations can be compared as a whole.
QString describePages(const std::vector<PreparedPage>& pages);

// Rounds to hundredths of a millimetre for comparing positions with the templates.
inline QRectF roundedMm(const QRectF& units)
{
    auto r = [](double u) { return qRound(unitsToMm(u) * 100) / 100.0; };
    return QRectF(r(units.left()), r(units.top()), r(units.width()), r(units.height()));
}
