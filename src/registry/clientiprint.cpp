// The card screen's print, preview and PDF commands: the registry card document filled from
// the controls as they are at that moment, saved or not.

#include "registry/clienti.h"

#include "core/registry/cardprint.h"
#include "core/storage/programfolder.h"
#include "help/openurl.h"
#include "ui/messages.h"
#include "ui/reportoutput.h"

#include <QLineEdit>

namespace {

const QString kExported =
    QStringLiteral("L'esportazione della scheda in PDF \u00e8 terminata con successo.")
    + QStringLiteral("\r\n\r\n") + QStringLiteral("Si vuole aprire il file?");

} // namespace

void TfrmClienti::prepareCardReport()
{
    fillCardReport(*m_cardReport, [this](AnagraficaField field) { return edit(field)->text(); });
    m_cardReport->prepare();
}

void TfrmClienti::cmdStampaClick()
{
    prepareCardReport();
    printReport(this, *m_cardReport);
}

void TfrmClienti::cmdAnteprimaClick()
{
    prepareCardReport();
    showPreview(this, *m_cardReport);
}

// Writes the card to Cliente.pdf in the program folder, replacing an earlier one; the old file
// stays whole when the export fails, and the export has then said why.
void TfrmClienti::cmdPDFClick()
{
    const QString fileName = programFolder() + QStringLiteral("Cliente.pdf");
    prepareCardReport();
    const PdfExportSettings settings{fileName, cardReportName(), cardReportName(), pdfPublisher(),
                                     pdfPublisher()};
    if (!exportPdf(this, *m_cardReport, settings))
        return;
    if (confirmed(showMessage(this, MessageKind::Confirmation, kExported)))
        TMisc::Open(QLatin1Char('"') + fileName + QLatin1Char('"'));
}
