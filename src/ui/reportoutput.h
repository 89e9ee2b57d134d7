#pragma once

#include "core/reports/reportdocument.h"
#include "core/reports/reportpdf.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QWidget;

// What becomes of a prepared report document: printed, shown in the preview window, or
// exported to a PDF file.

// Prints the prepared pages: shows the printer dialog with the default printer, one copy and
// all pages preselected; on confirmation prints them as one job titled with the document
// name. Cancelling prints nothing and says nothing. With no printer installed it says so in a
// message and prints nothing. Returns whether it printed.
bool printReport(QWidget* parent, const ReportDocument& document);

// Prepares the pages again and shows them in the preview window: modal, maximised, captioned
// with the document name, at 100 %, with Print, Zoom, Full screen and Close only. Returns when
// the user has closed it. Its Print button prints as printReport does.
void showPreview(QWidget* parent, ReportDocument& document);

// PDF export settings.
struct PdfExportSettings {
    QString fileName;
    QString title;
    QString subject;
    QString author;
    QString creator;
};

// Writes the prepared pages to the PDF file, replacing an existing one without asking. The
// file is written completely aside and only then put in place, so a failure leaves an older
// file whole. A failure is shown as a list of errors and reported by returning false.
bool exportPdf(QWidget* parent, const ReportDocument& document, const PdfExportSettings& settings);

// Fills the list report with the title and the lines, prepares it and prints it (printer
// dialog first). Returns whether it printed.
bool printListReport(QWidget* parent, ReportDocument& report, const QString& title,
                     const QStringList& lines);

// Test seam for printing: while a PrintDialogRecorder lives, the printer dialog is not shown;
// each request takes the next queued answer (confirm when the queue is empty). A confirmed
// job is recorded with its pages and, when an output file is set, drawn into that PDF file
// exactly as it would go to the printer.
struct PrintRequest {
    QString documentName;
    QString printerName;
    int copies = 0;
    bool allPages = false;
};

struct PrintedJob {
    QString title;
    std::vector<PreparedPage> pages;
};

class PrintDialogRecorder {
public:
    PrintDialogRecorder();
    ~PrintDialogRecorder();
    PrintDialogRecorder(const PrintDialogRecorder&) = delete;
    PrintDialogRecorder& operator=(const PrintDialogRecorder&) = delete;

    void setPrinterInstalled(bool installed) { m_printerInstalled = installed; }
    bool printerInstalled() const { return m_printerInstalled; }
    void setNextAnswer(bool confirm) { m_answers.append(confirm); }
    void setOutputFile(const QString& pdfPath) { m_outputFile = pdfPath; }
    QString outputFile() const { return m_outputFile; }

    const QList<PrintRequest>& requests() const { return m_requests; }
    const QList<PrintedJob>& jobs() const { return m_jobs; }

    bool answer(const PrintRequest& request);
    void record(PrintedJob job) { m_jobs.append(std::move(job)); }

private:
    bool m_printerInstalled = true;
    QList<bool> m_answers;
    QString m_outputFile;
    QList<PrintRequest> m_requests;
    QList<PrintedJob> m_jobs;
    PrintDialogRecorder* m_previous;
};

// Test seam for the preview window: while a PreviewRecorder lives, the preview window is
// built as usual but not run; the hook receives it (a test can look at it and press its
// buttons), then it is closed.
class PreviewRecorder {
public:
    PreviewRecorder();
    ~PreviewRecorder();
    PreviewRecorder(const PreviewRecorder&) = delete;
    PreviewRecorder& operator=(const PreviewRecorder&) = delete;

    void onShow(std::function<void(QWidget* window)> hook) { m_hook = std::move(hook); }
    int count() const { return m_count; }
    const std::vector<PreparedPage>& lastPages() const { return m_lastPages; }

    void shown(QWidget* window, const std::vector<PreparedPage>& pages);

private:
    std::function<void(QWidget*)> m_hook;
    int m_count = 0;
    std::vector<PreparedPage> m_lastPages;
    PreviewRecorder* m_previous;
};
