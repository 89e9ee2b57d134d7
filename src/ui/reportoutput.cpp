#include "ui/reportoutput.h"

#include "core/reports/listreport.h"
#include "core/reports/reportpdf.h"
#include "core/reports/reportrender.h"
#include "core/storage/safefile.h"
#include "ui/messages.h"
#include "ui/reportpreview.h"

#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

PrintDialogRecorder*& activePrintRecorder()
{
    static PrintDialogRecorder* recorder = nullptr;
    return recorder;
}

PreviewRecorder*& activePreviewRecorder()
{
    static PreviewRecorder* recorder = nullptr;
    return recorder;
}

const QString kNoPrinter = QStringLiteral(
    "Attenzione: nessuna stampante installata.\r\nIl documento non pu\u00f2 essere stampato.");

} // namespace

bool printReport(QWidget* parent, const ReportDocument& document)
{
    PrintDialogRecorder* recorder = activePrintRecorder();
    const bool installed =
        recorder ? recorder->printerInstalled() : !QPrinterInfo::availablePrinterNames().isEmpty();
    if (!installed) {
        showMessage(parent, MessageKind::Warning, kNoPrinter);
        return false;
    }

    QPrinter printer(QPrinter::HighResolution); // the system's default printer
    printer.setDocName(document.name());
    printer.setPageLayout(document.pageLayout());
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);

    if (recorder) {
        const PrintRequest request{document.name(), printer.printerName(), printer.copyCount(),
                                   printer.printRange() == QPrinter::AllPages};
        if (!recorder->answer(request))
            return false;
        recorder->record({document.name(), document.preparedPages()});
        if (!recorder->outputFile().isEmpty()) {
            QPdfWriter writer(recorder->outputFile());
            writer.setTitle(document.name());
            writer.setPageLayout(document.pageLayout());
            return renderPages(writer, document.pageLayout(), document.preparedPages());
        }
        return true;
    }

    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return renderPages(printer, printer.pageLayout(), document.preparedPages());
}

void showPreview(QWidget* parent, ReportDocument& document)
{
    document.discardPages();
    document.prepare();
    ReportPreviewWindow window(parent, document);
    if (PreviewRecorder* recorder = activePreviewRecorder()) {
        recorder->shown(&window, document.preparedPages());
        window.close();
        return;
    }
    window.exec();
}

bool exportPdf(QWidget* parent, const ReportDocument& document, const PdfExportSettings& settings)
{
    QStringList errors;
    QByteArray pdf;
    if (!writeReportPdf(pdf, document,
                        {settings.title, settings.subject, settings.author, settings.creator})) {
        errors << QStringLiteral("Impossibile comporre il documento PDF.");
    } else if (const WriteResult written = writeWholeFile(settings.fileName, pdf); !written) {
        errors << QStringLiteral("Impossibile scrivere il file %1: %2")
                      .arg(settings.fileName, written.error());
    }
    if (errors.isEmpty())
        return true;
    showMessage(parent, MessageKind::Error,
                QStringLiteral("Esportazione in PDF non riuscita.\r\n")
                    + errors.join(QStringLiteral("\r\n")));
    return false;
}

PrintDialogRecorder::PrintDialogRecorder() : m_previous(activePrintRecorder())
{
    activePrintRecorder() = this;
}

PrintDialogRecorder::~PrintDialogRecorder()
{
    activePrintRecorder() = m_previous;
}

bool PrintDialogRecorder::answer(const PrintRequest& request)
{
    m_requests.append(request);
    return m_answers.isEmpty() ? true : m_answers.takeFirst();
}

PreviewRecorder::PreviewRecorder() : m_previous(activePreviewRecorder())
{
    activePreviewRecorder() = this;
}

PreviewRecorder::~PreviewRecorder()
{
    activePreviewRecorder() = m_previous;
}

void PreviewRecorder::shown(QWidget* window, const std::vector<PreparedPage>& pages)
{
    ++m_count;
    m_lastPages = pages;
    if (m_hook)
        m_hook(window);
}

bool printListReport(QWidget* parent, ReportDocument& report, const QString& title,
                     const QStringList& lines)
{
    fillListReport(report, title, lines);
    report.prepare();
    return printReport(parent, report);
}
