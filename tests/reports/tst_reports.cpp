// The report engine, the list report and the calendar sheet: prepared pages read back, PDFs
// read back with poppler, and the print, preview and export services driven through their
// test seams.

#include "common/testsupport.h"
#include "reports_support.h"

#include "core/base/clock.h"
#include "core/reports/calendarsheet.h"
#include "core/reports/listreport.h"
#include "ui/messages.h"
#include "ui/reportoutput.h"

#include <QAction>
#include <QComboBox>
#include <QPrintPreviewWidget>
#include <QtTest/QtTest>

namespace {

const QDateTime kPrintMoment(QDate(2024, 3, 5), QTime(9, 5, 3));
constexpr double kTitleHeight = 8.0; // mm, the list report's title band

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1 riga").arg(i, 3, 10, QLatin1Char('0'));
    return lines;
}

std::unique_ptr<ReportDocument> preparedList(const QStringList& lines,
                                             const QString& title = QStringLiteral("Titolo"))
{
    auto report = makeListReport();
    fillListReport(*report, title, lines);
    report->prepare();
    return report;
}

// Every piece of the named object over all pages, with the page it is on.
QList<QPair<int, const ReportObject*>> pieces(const std::vector<PreparedPage>& pages,
                                              const QString& name)
{
    QList<QPair<int, const ReportObject*>> out;
    for (size_t p = 0; p < pages.size(); ++p) {
        for (const ReportObject& item : pages[p].items) {
            if (item.name == name)
                out.append({int(p), &item});
        }
    }
    return out;
}

bool near(double a, double b, double tolerance)
{
    return qAbs(a - b) <= tolerance;
}

} // namespace

class TestReports : public QObject {
    Q_OBJECT

private slots:
    void init() { setClockForTests(kPrintMoment); }
    void cleanup() { setClockForTests(QDateTime()); }

    void emptyListReport();
    void listFlowsOverPages_data();
    void listFlowsOverPages();
    void longLineIsCutNotWrapped();
    void bracketsInListLinesPrintLiterally();
    void refillingReplacesEverything();
    void calendarSheetTemplate();
    void calendarSheetFilling();
    void calendarSheetPdf();
    void listReportPdf();
    void printing();
    void previewWindow();
    void exportReplacesFileOrKeepsOldOne();
};

void TestReports::emptyListReport()
{
    const auto report = preparedList({}, QStringLiteral("Riepilogo presenze e attivit\u00e0 di "
                                                        "Rossi Mario anno 2024"));
    const auto& pages = report->preparedPages();
    QCOMPARE(int(pages.size()), 1);
    const PreparedPage& page = pages.front();

    const ReportObject* title = page.find(QStringLiteral("txtTitolo"));
    QVERIFY(title);
    QCOMPARE(roundedMm(title->rect), QRectF(2, 1, 273, 5));
    QCOMPARE(title->lines, QStringList{QStringLiteral("Riepilogo presenze e attivit\u00e0 di "
                                                      "Rossi Mario anno 2024")});
    QCOMPARE(title->font.family, QStringLiteral("Verdana"));
    QVERIFY(title->font.bold);
    QCOMPARE(title->font.colour, QColor(Qt::white));
    QCOMPARE(title->fill, QColor(0x70, 0x80, 0x90));

    const ReportObject* list = page.find(QStringLiteral("txtRiepilogo"));
    QVERIFY(list);
    QVERIFY(list->lines.isEmpty());
    QCOMPARE(list->rect.height(), 0.0);
    QCOMPARE(list->font.family, QStringLiteral("Courier New"));
    QCOMPARE(list->font.height, 10.667);

    // The list area is 10 units high: the footer follows at 8 mm + 10 units.
    const ReportObject* footer = page.find(QStringLiteral("txtPagina"));
    QVERIFY(footer);
    QVERIFY(near(footer->rect.top(), mmToUnits(kTitleHeight) + 10.0 + mmToUnits(2), 1e-6));
    QCOMPARE(roundedMm(footer->rect).size(), QSizeF(272, 5));
    QCOMPARE(footer->lines, QStringList{QStringLiteral("Stampa eseguita in data 05/03/2024")});
    QCOMPARE(footer->font.height, 10.667);
}

void TestReports::listFlowsOverPages_data()
{
    // The printable area is 190 mm high: 53 lines fit under the title, 56 on a page of their
    // own; the footer needs the 10-unit tail and 8 mm after the last line.
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("onFirstPage");
    QTest::newRow("a few") << 5 << 1 << 5;
    QTest::newRow("first page full, footer moves on") << 53 << 2 << 53;
    QTest::newRow("one more than a page") << 54 << 2 << 53;
    QTest::newRow("three pages") << 53 + 56 + 10 << 3 << 53;
}

void TestReports::listFlowsOverPages()
{
    QFETCH(int, lines);
    QFETCH(int, pages);
    QFETCH(int, onFirstPage);
    const QStringList input = numberedLines(lines);
    const auto report = preparedList(input);
    const auto& prepared = report->preparedPages();
    QCOMPARE(int(prepared.size()), pages);

    // The title once, at the top of the first page.
    const auto titles = pieces(prepared, QStringLiteral("txtTitolo"));
    QCOMPARE(titles.size(), 1);
    QCOMPARE(titles.front().first, 0);

    // The lines in order, split between lines only, each piece inside the page.
    const double pageHeight = mmToUnits(190);
    QStringList printed;
    const auto listPieces = pieces(prepared, QStringLiteral("txtRiepilogo"));
    for (const auto& [page, piece] : listPieces) {
        printed += piece->lines;
        QVERIFY(piece->rect.bottom() <= pageHeight + 1e-6);
        QCOMPARE(piece->firstLineTop, 0.0);
        QVERIFY(near(piece->rect.height(), piece->lines.size() * kListLinePitch, 1e-6));
        if (page > 0 && !piece->lines.isEmpty())
            QCOMPARE(piece->rect.top(), 0.0); // continues at the top, no repeated title
    }
    QCOMPARE(printed, input);
    QCOMPARE(listPieces.front().second->lines.size(), onFirstPage);

    // The footer once, on the last page, after the last line and the band's tail.
    const auto footers = pieces(prepared, QStringLiteral("txtPagina"));
    QCOMPARE(footers.size(), 1);
    QCOMPARE(footers.front().first, pages - 1);
    const ReportObject* footer = footers.front().second;
    QVERIFY(footer->rect.bottom() <= pageHeight);
    const auto lastLines = listPieces.back();
    if (lastLines.first == pages - 1 && !lastLines.second->lines.isEmpty()) {
        QVERIFY(
            near(footer->rect.top(), lastLines.second->rect.bottom() + 10 + mmToUnits(2), 1e-6));
    }
}

void TestReports::longLineIsCutNotWrapped()
{
    const QString line = QStringLiteral("01 gennaio     ") + QString(250, QLatin1Char('w'));
    QCOMPARE(line.size(), 265);
    const auto report = preparedList({line, QStringLiteral("02 gennaio     breve")});
    const ReportObject* list = report->preparedPages().front().find(QStringLiteral("txtRiepilogo"));
    QVERIFY(list);
    QCOMPARE(list->lines.size(), 2); // still two lines: nothing wrapped
    const QString kept = list->lines.front();
    QVERIFY(line.startsWith(kept));
    // Courier New 8 pt is 1.69 mm a character: about 161 characters fill 273 mm.
    QVERIFY2(kept.size() >= 158 && kept.size() <= 163, qPrintable(QString::number(kept.size())));
    QCOMPARE(list->lines.at(1), QStringLiteral("02 gennaio     breve"));
}

void TestReports::bracketsInListLinesPrintLiterally()
{
    const QStringList lines = {QStringLiteral("03 gennaio     [riunione] con [DATE] e [PAGE]")};
    const auto report = preparedList(lines, QStringLiteral("Elenco [DATE]"));
    const PreparedPage& page = report->preparedPages().front();
    QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines, lines);
    QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines,
             QStringList{QStringLiteral("Elenco [DATE]")});
    // The template's own [DATE] is still evaluated.
    QCOMPARE(page.find(QStringLiteral("txtPagina"))->lines,
             QStringList{QStringLiteral("Stampa eseguita in data 05/03/2024")});
}

void TestReports::refillingReplacesEverything()
{
    // The same report filled twice gives the same pages; a longer filling leaves nothing
    // behind for a shorter one.
    auto report = makeListReport();
    fillListReport(*report, QStringLiteral("Primo"), numberedLines(130));
    report->prepare();
    fillListReport(*report, QStringLiteral("Secondo"), numberedLines(7));
    report->prepare();
    const QString second = describePages(report->preparedPages());
    fillListReport(*report, QStringLiteral("Secondo"), numberedLines(7));
    report->prepare();
    QCOMPARE(describePages(report->preparedPages()), second);
    QCOMPARE(
        describePages(preparedList(numberedLines(7), QStringLiteral("Secondo"))->preparedPages()),
        second);
}

void TestReports::calendarSheetTemplate()
{
    const auto sheet = makeCalendarSheet();
    QCOMPARE(sheet->name(), QStringLiteral("Registro Presenze"));
    QCOMPARE(sheet->objectCount(ReportObjectKind::Text), 417);
    QCOMPARE(sheet->objectCount(ReportObjectKind::Shape), 21);
    QCOMPARE(sheet->objectCount(ReportObjectKind::Line), 31);
    QCOMPARE(sheet->pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(sheet->printableSize().toSize(), QSizeF(mmToUnits(277), mmToUnits(190)).toSize());

    struct Row {
        const char* name;
        QRectF mm;
    };
    const Row rows[] = {
        {"Shape1", {1, 1, 276, 5.8}},
        {"txtTitolo", {2, 2, 274, 4.2}},
        {"Shape2", {1, 7, 276, 4.6}},
        {"tit_01", {31, 8, 6, 3.5}},
        {"tit_30", {263, 8, 6, 3.5}},
        {"tit_31", {271, 8, 5.6, 3.5}},
        {"shpMese01", {1, 12, 276, 6}},
        {"shpMese12", {1, 78, 276, 6}},
        {"lblMese02", {2, 18.8, 27, 4.4}},
        {"linColonna01", {30, 7, 0, 77}},
        {"linColonna31", {270, 7, 0, 77}},
        {"txtGen_01", {31, 13, 6, 4.4}},
        {"txtGen_31", {271, 13, 5.2, 4.4}},
        {"txtFeb_29", {255, 19, 6, 4.4}},
        {"txtApr_30", {263, 31, 6, 4.4}},
        {"txtDic_31", {271, 79, 5.2, 4.4}},
        {"Shape5", {1, 89, 29, 6}},
        {"Memo14", {2, 89.7, 27, 4.4}},
        {"Shape16", {32, 89, 60, 6}},
        {"txtRecapito", {34, 89.7, 57, 4.4}},
        {"txtCodFisc", {34, 97.7, 57, 4.4}},
        {"Shape20", {32, 105, 245, 6}},
        {"txtMansioni", {34, 105.7, 242, 4.4}},
        {"Shape23", {1, 120, 276, 5.8}},
        {"txtCalce", {2, 121, 274, 4.2}},
    };
    for (const Row& row : rows) {
        ReportObject* o = sheet->object(QString::fromLatin1(row.name));
        QVERIFY2(o, row.name);
        QCOMPARE(roundedMm(o->rect), row.mm);
    }
    // Months without a 31st (and February without a 30th) have no cell for it.
    for (const char* missing :
         {"txtFeb_30", "txtFeb_31", "txtApr_31", "txtGiu_31", "txtSet_31", "txtNov_31"})
        QVERIFY2(!sheet->object(QString::fromLatin1(missing)), missing);
    QCOMPARE(sheet->object(QStringLiteral("shpMese03"))->fill, QColor(0xF5, 0xF5, 0xDC));
    QVERIFY(!sheet->object(QStringLiteral("shpMese02"))->fill.isValid());
    QCOMPARE(sheet->object(QStringLiteral("Shape23"))->fill, QColor(0xFF, 0xD7, 0x00));
    QCOMPARE(sheet->object(QStringLiteral("tit_07"))->font.height, 9.333);
    QCOMPARE(sheet->object(QStringLiteral("txtCalce"))->font.height, 10.667);
}

void TestReports::calendarSheetFilling()
{
    CalendarSheetData data;
    data.person = QStringLiteral("  Rossi Mario ");
    data.year = QStringLiteral("2024 ");
    data.recapito = QStringLiteral(" 333 1234567");
    data.mansioni = QString(300, QLatin1Char('M'));
    // 1 January, 29 February (slot 59), 1 March and 31 December.
    for (int slot : {0, 59, 60, 365})
        data.present[size_t(slot)] = true;

    auto sheet = makeCalendarSheet();
    fillCalendarSheet(*sheet, data);
    sheet->prepare();
    QCOMPARE(int(sheet->preparedPages().size()), 1);
    const PreparedPage& page = sheet->preparedPages().front();

    QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines,
             QStringList{QStringLiteral("Registro Presenze di Rossi Mario  -  Anno 2024")});
    QCOMPARE(page.find(QStringLiteral("txtRecapito"))->lines,
             QStringList{QStringLiteral("333 1234567")});
    QCOMPARE(page.find(QStringLiteral("txtCodFisc"))->lines, QStringList{QString()});
    QCOMPARE(page.find(QStringLiteral("txtCalce"))->lines,
             QStringList{QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:05:03")});
    // A duties text longer than its box is cut at the box's right edge.
    const ReportObject* duties = page.find(QStringLiteral("txtMansioni"));
    QVERIFY(duties->lines.front().size() < 300);
    QVERIFY(duties->lines.front().size() > 80); // about 91 capital Ms fill 242 mm

    QStringList marked;
    int cells = 0;
    for (const ReportObject& item : page.items) {
        static const QRegularExpression cellName(QStringLiteral("^txt[A-Z][a-z]{2}_\\d\\d$"));
        if (!cellName.match(item.name).hasMatch())
            continue;
        ++cells;
        QVERIFY2(item.lines == QStringList{QStringLiteral("X")}
                     || item.lines == QStringList{QStringLiteral(" ")},
                 qPrintable(item.name));
        if (item.lines.front() == QLatin1String("X"))
            marked << item.name;
    }
    QCOMPARE(cells, 366);
    QCOMPARE(marked, (QStringList{QStringLiteral("txtGen_01"), QStringLiteral("txtFeb_29"),
                                  QStringLiteral("txtMar_01"), QStringLiteral("txtDic_31")}));
}

void TestReports::calendarSheetPdf()
{
    TempProgramFolder folder;
    CalendarSheetData data;
    data.person = QStringLiteral("Rossi Mario");
    data.year = QStringLiteral("2024");
    data.codFisc = QStringLiteral("RSSMRA80A01H501U");
    data.present[59] = true;  // 29 February
    data.present[200] = true; // 19 July
    auto sheet = makeCalendarSheet();
    fillCalendarSheet(*sheet, data);
    sheet->prepare();
    const QString pdf = folder.file(QStringLiteral("scheda.pdf"));
    QVERIFY(exportPdf(nullptr, *sheet,
                      {pdf, QStringLiteral("Registro Presenze"), QStringLiteral("Registro"),
                       pdfPublisher(), pdfPublisher()}));

    const QList<PdfWord> words = pdfWords(pdf);
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Page size")).left(9), QStringLiteral("842 x 595"));

    // The X of each present day stands in the middle of its cell (margins 10 mm).
    QList<QPointF> xs;
    for (const PdfWord& w : words) {
        if (w.text == QLatin1String("X"))
            xs << w.mm.center();
    }
    QCOMPARE(xs.size(), 2);
    const QPointF february29(10 + 31 + 8 * 28 + 3, 10 + 13 + 6 * 1 + 2.2);
    const QPointF july19(10 + 31 + 8 * 18 + 3, 10 + 13 + 6 * 6 + 2.2);
    for (const QPointF& expected : {february29, july19}) {
        const bool found = std::any_of(xs.begin(), xs.end(), [&](const QPointF& x) {
            return near(x.x(), expected.x(), 0.5) && near(x.y(), expected.y(), 1.0);
        });
        QVERIFY2(found,
                 qPrintable(QStringLiteral("X at %1,%2").arg(expected.x()).arg(expected.y())));
    }

    // Title words, the codice fiscale and the closing line, each where its box is.
    auto wordAt = [&](const QString& text) {
        for (const PdfWord& w : words) {
            if (w.text == text)
                return w.mm;
        }
        return QRectF();
    };
    QVERIFY(near(wordAt(QStringLiteral("RSSMRA80A01H501U")).left(), 10 + 34, 0.5));
    QVERIFY(near(wordAt(QStringLiteral("RSSMRA80A01H501U")).center().y(), 10 + 97.7 + 2.2, 1.0));
    QVERIFY(near(wordAt(QStringLiteral("GENNAIO:")).left(), 10 + 2, 0.5));
    QVERIFY(near(wordAt(QStringLiteral("09:05:03")).center().y(), 10 + 121 + 2.1, 1.0));
    QVERIFY(wordAt(QStringLiteral("2024")).isValid());
    QVERIFY(wordAt(QStringLiteral("31")).right() <= 10 + 277);
}

void TestReports::listReportPdf()
{
    TempProgramFolder folder;
    const auto report = preparedList(numberedLines(60));
    const QString pdf = folder.file(QStringLiteral("elenco.pdf"));
    QVERIFY(exportPdf(nullptr, *report,
                      {pdf, QStringLiteral("Riepilogo dati"), QStringLiteral("Elenco"),
                       pdfPublisher(), pdfPublisher()}));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Title")), QStringLiteral("Riepilogo dati"));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Subject")), QStringLiteral("Elenco"));
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Author")), pdfPublisher());
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Creator")), pdfPublisher());
    QCOMPARE(pdfInfoField(pdf, QStringLiteral("Pages")), QStringLiteral("2"));

    const QList<PdfWord> words = pdfWords(pdf);
    QStringList numbers;
    for (const PdfWord& w : words) {
        if (w.text.size() == 3 && w.text.at(0).isDigit())
            numbers << w.text;
        if (w.text == QLatin1String("000"))
            QVERIFY(near(w.mm.left(), 10 + 3, 0.5) && near(w.mm.top(), 10 + kTitleHeight, 1));
        if (w.text == QLatin1String("053")) // first line of the second page
            QVERIFY(w.page == 1 && near(w.mm.top(), 10, 1));
        if (w.text == QLatin1String("05/03/2024"))
            QCOMPARE(w.page, 1);
    }
    QCOMPARE(numbers, numberedLines(60).replaceInStrings(QStringLiteral(" riga"), QString()));
}

void TestReports::printing()
{
    auto report = makeListReport();
    fillListReport(*report, QStringLiteral("Titolo"), numberedLines(3));
    report->prepare();
    MessageRecorder messages;
    PrintDialogRecorder printer;

    // No printer installed: the message, and nothing printed.
    printer.setPrinterInstalled(false);
    QVERIFY(!printReport(nullptr, *report));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QVERIFY(messages.last().text.startsWith(QLatin1String("Attenzione: nessuna stampante")));
    QVERIFY(printer.requests().isEmpty());

    // Cancelled: nothing printed, nothing said.
    printer.setPrinterInstalled(true);
    printer.setNextAnswer(false);
    QVERIFY(!printReport(nullptr, *report));
    QCOMPARE(printer.requests().size(), 1);
    QVERIFY(printer.jobs().isEmpty());
    QCOMPARE(messages.count(), 1);

    // Confirmed: one copy of all pages, the job titled with the document's name.
    TempProgramFolder folder;
    printer.setOutputFile(folder.file(QStringLiteral("stampa.pdf")));
    QVERIFY(printReport(nullptr, *report));
    const PrintRequest request = printer.requests().last();
    QCOMPARE(request.documentName, QStringLiteral("Riepilogo dati"));
    QCOMPARE(request.copies, 1);
    QVERIFY(request.allPages);
    QCOMPARE(printer.jobs().size(), 1);
    QCOMPARE(printer.jobs().front().title, QStringLiteral("Riepilogo dati"));
    QCOMPARE(describePages(printer.jobs().front().pages), describePages(report->preparedPages()));
    const QList<PdfWord> words = pdfWords(printer.outputFile());
    QVERIFY(std::any_of(words.begin(), words.end(),
                        [](const PdfWord& w) { return w.text == QLatin1String("002"); }));
}

void TestReports::previewWindow()
{
    auto sheet = makeCalendarSheet();
    fillCalendarSheet(*sheet, CalendarSheetData{});
    // The preview prepares again: pages prepared earlier do not survive.
    sheet->discardPages();
    PrintDialogRecorder printer;
    PreviewRecorder preview;
    QString caption;
    QStringList toolbar;
    double zoom = 0;
    bool maximised = false;
    int previewPages = 0;
    preview.onShow([&](QWidget* window) {
        caption = window->windowTitle();
        maximised = window->windowState().testFlag(Qt::WindowMaximized);
        auto* view = window->findChild<QPrintPreviewWidget*>();
        QVERIFY(view);
        view->updatePreview();
        zoom = view->zoomFactor();
        previewPages = view->pageCount();
        for (QAction* action : window->findChildren<QAction*>()) {
            if (!action->isSeparator() && !action->objectName().isEmpty())
                toolbar << action->text();
        }
        QVERIFY(window->findChild<QComboBox*>(QStringLiteral("cmbZoom")));
        // The toolbar's Print goes through the printer dialog like any print.
        window->findChild<QAction*>(QStringLiteral("actStampa"))->trigger();
    });
    showPreview(nullptr, *sheet);
    QCOMPARE(preview.count(), 1);
    QCOMPARE(caption, QStringLiteral("Registro Presenze"));
    QVERIFY(maximised);
    QCOMPARE(zoom, 1.0);
    QCOMPARE(previewPages, 1);
    toolbar.sort();
    QCOMPARE(toolbar, (QStringList{QStringLiteral("Chiudi"), QStringLiteral("Ingrandisci"),
                                   QStringLiteral("Riduci"), QStringLiteral("Schermo intero"),
                                   QStringLiteral("Stampa")}));
    QCOMPARE(printer.jobs().size(), 1);
    QCOMPARE(printer.jobs().front().title, QStringLiteral("Registro Presenze"));
    QCOMPARE(int(preview.lastPages().size()), 1);
}

void TestReports::exportReplacesFileOrKeepsOldOne()
{
    TempProgramFolder folder;
    const auto report = preparedList(numberedLines(2));
    const QString target = folder.file(QStringLiteral("Cliente.pdf"));
    QVERIFY(writeAll(target, "vecchio contenuto"));
    MessageRecorder messages;
    const PdfExportSettings settings{target, QStringLiteral("Scheda informativa"),
                                     QStringLiteral("Scheda informativa"), pdfPublisher(),
                                     pdfPublisher()};

    // Overwritten without asking.
    QVERIFY(exportPdf(nullptr, *report, settings));
    QVERIFY(readAll(target).startsWith("%PDF-"));
    QCOMPARE(messages.count(), 0);

    // A folder that refuses the write: failure reported, the file there stays whole.
    const QByteArray before = readAll(target);
    openToAll(folder.path());
    setMode(folder.path(), 0555);
    bool written = true;
    {
        AsOrdinaryUser user;
        written = exportPdf(nullptr, *report, settings);
    }
    setMode(folder.path(), 0777);
    QVERIFY(!written);
    QCOMPARE(readAll(target), before);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Error);
    QVERIFY(messages.last().text.contains(target));
}

QTEST_MAIN(TestReports)
#include "tst_reports.moc"
