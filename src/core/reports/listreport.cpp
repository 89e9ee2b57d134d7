#include "core/reports/listreport.h"


namespace {

const QColor kSlateGrey(0x70, 0x80, 0x90);

} // namespace

std::unique_ptr<ReportDocument> makeListReport()
{
    auto report = std::make_unique<ReportDocument>(QStringLiteral("Riepilogo dati"));
    report->setPage(QPageSize::A4, QPageLayout::Landscape, 10.0);

    ReportBand& title = report->addBand(BandKind::ReportTitle, QStringLiteral("ReportTitle"),
                                        mmToUnits(8));
    ReportObject& txtTitolo = report->addBandObject(title, ReportObjectKind::Text,
                                                    QStringLiteral("txtTitolo"),
                                                    mmRect(2, 1, 273, 5));
    txtTitolo.fill = kSlateGrey;
    txtTitolo.font = {QStringLiteral("Verdana"), 12.0, true, Qt::white};
    txtTitolo.hAlign = HAlign::Centre;
    txtTitolo.vAlign = VAlign::Centre;
    txtTitolo.wordWrap = true;
    txtTitolo.lines = {QStringLiteral("Riepilogo")};
    txtTitolo.linesFromTemplate = true;

    ReportBand& master = report->addBand(BandKind::MasterData, QStringLiteral("MasterData"),
                                         mmToUnits(28), true);
    ReportObject& txtRiepilogo = report->addBandObject(master, ReportObjectKind::Text,
                                                       QStringLiteral("txtRiepilogo"),
                                                       mmRect(3, 0, 273, 27));
    txtRiepilogo.font = {QStringLiteral("Courier New"), 10.667, false, Qt::black};
    txtRiepilogo.linePitch = kListLinePitch;

    ReportBand& footer =
        report->addBand(BandKind::Footer, QStringLiteral("Footer"), mmToUnits(8));
    ReportObject& txtPagina = report->addBandObject(footer, ReportObjectKind::Text,
                                                    QStringLiteral("txtPagina"),
                                                    mmRect(3, 2, 272, 5));
    txtPagina.fill = kSlateGrey;
    txtPagina.font = {QStringLiteral("Verdana"), 10.667, true, Qt::white};
    txtPagina.hAlign = HAlign::Centre;
    txtPagina.vAlign = VAlign::Centre;
    txtPagina.wordWrap = true;
    txtPagina.lines = {QStringLiteral("Stampa eseguita in data [DATE]")};
    txtPagina.linesFromTemplate = true;
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
