#include "registry/ricontatta.h"

#include "core/registry/cardsearch.h"

#include <QLineEdit>
#include <QShowEvent>

TfrmRicontatta::TfrmRicontatta(TfrmClienti* cards)
    : CardListDialog(cards, QStringLiteral("frmRicontatta"),
                     QStringLiteral(" Riepilogo persone da ricontattare"))
{
    panRisultati = buildResultPanel(
        QStringLiteral(":/search/ricontattare.svg"), QStringLiteral("Persone da ricontattare"),
        {QStringLiteral("txtTrova"), QStringLiteral("lstRecords"), QStringLiteral("btnStampa"),
         QStringLiteral("btnTrova"), QStringLiteral("btnChiudi")});
}

QString TfrmRicontatta::reportTitle() const
{
    return QStringLiteral("Riepilogo persone da ricontattare");
}

void TfrmRicontatta::showEvent(QShowEvent* event)
{
    CardListDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmRicontatta::FormShow()
{
    resetFind();
    const QString ticked = AnagraficaRecord::ricontattaText(true);
    const CardLines found = readCardLines(lastColumn(), [&ticked](const AnagraficaRecord& card) {
        return card.get(AnagraficaField::Ricontatta) == ticked;
    });
    setLines(found.lines);
    txtTrova->setFocus(Qt::OtherFocusReason);
}
