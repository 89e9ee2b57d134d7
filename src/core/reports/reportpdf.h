#pragma once

#include <QByteArray>
#include <QString>

class ReportDocument;

// The document information of a PDF file (what a viewer shows as its properties).
struct PdfDocumentInfo {
    QString title;
    QString subject;
    QString author;
    QString creator;
};

// Gives a complete PDF new document information by appending an update section (a new
// information dictionary, a cross-reference section and a trailer pointing back to the old
// one), leaving every byte already there untouched. The producer and creation date of the old
// dictionary are kept. Returns false, changing nothing, when pdf does not end in a trailer
// this routine understands.
bool setPdfDocumentInfo(QByteArray& pdf, const PdfDocumentInfo& info);

// Writes the prepared pages of document into a PDF in memory, with its document information.
// Returns false when the pages cannot be drawn or the information cannot be added.
bool writeReportPdf(QByteArray& pdf, const ReportDocument& document, const PdfDocumentInfo& info);

// The author and creator the system writes into its PDF files.
QString pdfPublisher();
