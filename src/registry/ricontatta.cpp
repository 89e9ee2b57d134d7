#include "registry/ricontatta.h"

#include "core/registry/cardsearch.h"
#include "ui/longwork.h"

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
    LongWork work(this, QStringLiteral(" Lettura dell'archivio in corso"),
                  QStringLiteral("Schede lette: %1 su %2"));
    CardLines found = readCardLines(
        lastColumn(),
        [&ticked](const AnagraficaRecord& card) {
            return card.get(AnagraficaField::Ricontatta) == ticked;
        },
        work.progress());
    if (work.stopped()) {
        // Stopped by the person: a list of part of the registry would pass for the whole one,
        // so none is shown and the person is back on the card screen.
        clearLines();
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    setLines(std::move(found.lines));
    focusFindField();
}
