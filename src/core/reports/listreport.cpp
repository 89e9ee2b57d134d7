#include "core/reports/listreport.h"

namespace {

const QColor kSlateGrey(0x70, 0x80, 0x90);

// A slate-grey bar with its template text centred in bold white Verdana: the title and the
// closing line of the list.
void addBar(ReportDocument& report, ReportBand& band, const QString& name, const QRectF& rect,
            double pointSize, const QString& text)
{
    ReportObject& bar = report.addBandObject(band, ReportObjectKind::Text, name, rect);
    bar.fill = kSlateGrey;
    bar.font = {QStringLiteral("Verdana"), pointSize, true, Qt::white};
    bar.hAlign = HAlign::Centre;
    bar.vAlign = VAlign::Centre;
    bar.wordWrap = true;
    bar.lines = {text};
    bar.linesFromTemplate = true;
}

} // namespace

std::unique_ptr<ReportDocument> makeListReport()
{
    auto report = std::make_unique<ReportDocument>(QStringLiteral("Riepilogo dati"));
    report->setPage(QPageSize::A4, QPageLayout::Landscape, 10.0);

    ReportBand& title =
        report->addBand(BandKind::ReportTitle, QStringLiteral("ReportTitle"), mmToUnits(8));
    addBar(*report, title, QStringLiteral("txtTitolo"), mmRect(2, 1, 273, 5), 12.0,
           QStringLiteral("Riepilogo"));

    ReportBand& master =
        report->addBand(BandKind::MasterData, QStringLiteral("MasterData"), mmToUnits(28), true);
    ReportObject& txtRiepilogo = report->addBandObject(
        master, ReportObjectKind::Text, QStringLiteral("txtRiepilogo"), mmRect(3, 0, 273, 27));
    txtRiepilogo.font = {QStringLiteral("Courier New"), 10.667, false, Qt::black};
    txtRiepilogo.linePitch = kListLinePitch;

    ReportBand& footer = report->addBand(BandKind::Footer, QStringLiteral("Footer"), mmToUnits(8));
    addBar(*report, footer, QStringLiteral("txtPagina"), mmRect(3, 2, 272, 5), 10.667,
           QStringLiteral("Stampa eseguita in data [DATE]"));
    return report;
}

void fillListReport(ReportDocument& report, const QString& title, const QStringList& lines)
{
    if (ReportObject* txtTitolo = report.text(QStringLiteral("txtTitolo")))
        txtTitolo->setText(title);
    ReportObject* txtRiepilogo = report.text(QStringLiteral("txtRiepilogo"));
    if (!txtRiepilogo)
        return;
    txtRiepilogo->clearLines();
    for (const QString& line : lines)
        txtRiepilogo->addLine(line);
    const double height = lines.size() * kListLinePitch;
    txtRiepilogo->setHeight(height);
    if (ReportBand* master = report.band(QStringLiteral("MasterData")))
        master->setHeight(height + 10.0);
}
