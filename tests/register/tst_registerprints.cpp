// The calendar's printouts: the attendance summary with its search and its list report, and
// the calendar sheet's print and preview dialogs, driven through their handlers and read back
// from the pages they print.

#include "common/testsupport.h"
#include "register/calendarsheetdialog.h"
#include "register/riepprenotazioni.h"
#include "register_support.h"

#include "core/base/clock.h"
#include "core/register/yearfile.h"
#include "ui/messages.h"
#include "ui/reportoutput.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest/QtTest>

namespace {

const QDateTime kPrintMoment(QDate(2024, 3, 5), QTime(9, 5, 3));
const QString kEmptyListMessage =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

QStringList items(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// The text lines of every piece of the named object over the pages of a job.
QStringList printedLines(const std::vector<PreparedPage>& pages, const QString& name)
{
    QStringList out;
    for (const PreparedPage& page : pages) {
        for (const ReportObject& item : page.items) {
            if (item.name == name)
                out += item.lines;
        }
    }
    return out;
}

// The names of the controls the Tab key reaches, starting from first, count steps.
QStringList tabWalk(QWidget* window, QWidget* first, int count)
{
    window->show();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return {};
    first->setFocus(Qt::TabFocusReason);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return names;
}

// A job's pages as one text: each item's name, box and lines.
QString describe(const std::vector<PreparedPage>& pages)
{
    QString out;
    for (const PreparedPage& page : pages) {
        out += QStringLiteral("page\n");
        for (const ReportObject& item : page.items) {
            const QRectF r = item.rect;
            out += QStringLiteral("%1 %2,%3 %4x%5 [%6]\n")
                       .arg(item.name)
                       .arg(r.left(), 0, 'f', 2)
                       .arg(r.top(), 0, 'f', 2)
                       .arg(r.width(), 0, 'f', 2)
                       .arg(r.height(), 0, 'f', 2)
                       .arg(item.lines.join(QLatin1Char('|')));
        }
    }
    return out;
}

} // namespace

class TestRegisterPrints : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void dateColumns();
    void summaryListsCalendarDays();
    void summarySearchWalk();
    void summarySearchKeyOutlivesTheScreen();
    void summaryEmptyList();
    void summaryPrint();
    void sheetDialogsLook();
    void sheetPrintFollowsTheCalendar();
    void sheetPreviewGivesThePrintedPage();
    void sheetCancelPrintsNothing();
    void calendarButtonsOpenTheirDialogs();

private:
    std::unique_ptr<RegisterScreens> m_screens;
    TfrmPlanning* m_calendar = nullptr;
};

const PersonYear kPerson{QStringLiteral("Rossi Mario"),
                         QStringLiteral("333 1234567"),
                         QStringLiteral("RSSMRA80A01H501U"),
                         QStringLiteral("Magazzino"),
                         QStringLiteral("2024"),
                         QString()};

void TestRegisterPrints::init()
{
    setClockForTests(kPrintMoment);
    TfrmRiepPrenotazioni::lastSearchKey().clear();
    m_screens = std::make_unique<RegisterScreens>();
    m_calendar = m_screens->calendar;
    // The calendar alone, with a person and a year and no year file.
    m_calendar->setChoice(kPerson);
}

void TestRegisterPrints::cleanup()
{
    m_screens.reset();
    setClockForTests(QDateTime());
}

void TestRegisterPrints::dateColumns()
{
    const QList<QPair<int, QString>> rows = {
        {0, QStringLiteral("01 gennaio     ")},   {59, QStringLiteral("29 febbraio    ")},
        {60, QStringLiteral("01 marzo       ")},  {91, QStringLiteral("01 aprile      ")},
        {121, QStringLiteral("01 maggio      ")}, {152, QStringLiteral("01 giugno      ")},
        {182, QStringLiteral("01 luglio      ")}, {213, QStringLiteral("01 agosto      ")},
        {273, QStringLiteral("30 settembre   ")}, {274, QStringLiteral("01 ottobre     ")},
        {305, QStringLiteral("01 novembre    ")}, {365, QStringLiteral("31 dicembre    ")},
    };
    for (const auto& [slot, column] : rows)
        QCOMPARE(TfrmRiepPrenotazioni::dateColumn(slot), column);
}

void TestRegisterPrints::summaryListsCalendarDays()
{
    // Days typed on the calendar and not saved: the summary reads the calendar, not the file.
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("mar_01")), QStringLiteral("Inventario"));
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("feb_29")), QStringLiteral("Bisestile"));
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("gen_15")),
                         QStringLiteral("Riunione [mensile]"));
    // A label holding blanks around a text, and one holding only blanks and control characters.
    m_calendar->applyDay(DaySlot(12, 31), QStringLiteral("  Chiusura  "));
    m_calendar->applyDay(DaySlot(7, 4), QStringLiteral(" \t "));

    TfrmRiepPrenotazioni summary(m_calendar);
    QCOMPARE(summary.objectName(), QStringLiteral("frmRiepPrenotazioni"));
    QCOMPARE(summary.windowTitle(), QStringLiteral(" Riepilogo presenze e attivit\u00e0"));
    QCOMPARE(summary.size(), QSize(862, 560));
    QCOMPARE(items(named<QListWidget>(&summary, "lstRecords")),
             (QStringList{QStringLiteral("15 gennaio     Riunione [mensile]"),
                          QStringLiteral("29 febbraio    Bisestile"),
                          QStringLiteral("01 marzo       Inventario"),
                          QStringLiteral("31 dicembre    Chiusura")}));
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->currentRow(), -1);
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->font().family(),
             QStringLiteral("Courier New"));
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->horizontalScrollBarPolicy(),
             Qt::ScrollBarAlwaysOn);
    QVERIFY(!named<QListWidget>(&summary, "lstRecords")->wordWrap());
    QCOMPARE(tabWalk(&summary, named<QLineEdit>(&summary, "txtTrova"), 6),
             (QStringList{QStringLiteral("txtTrova"), QStringLiteral("btnStampa"),
                          QStringLiteral("btnChiudi"), QStringLiteral("btnTrova"),
                          QStringLiteral("lstRecords"), QStringLiteral("txtTrova")}));
}

void TestRegisterPrints::summarySearchWalk()
{
    for (const char* key : {"gen_02", "gen_20", "feb_03", "mar_30", "dic_24"})
        m_calendar->applyDay(slotOfDayKey(QString::fromLatin1(key)),
                             QStringLiteral("Turno di notte"));
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("feb_10")), QStringLiteral("Ferie"));
    TfrmRiepPrenotazioni summary(m_calendar);
    summary.show();
    QVERIFY(QTest::qWaitForWindowExposed(&summary));
    MessageRecorder messages;

    // Enter in the key field moves to Trova and does not search.
    named<QLineEdit>(&summary, "txtTrova")->setFocus();
    QTest::keyClicks(named<QLineEdit>(&summary, "txtTrova"), QStringLiteral("GENNAIO"));
    QTest::keyClick(named<QLineEdit>(&summary, "txtTrova"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), named<QPushButton>(&summary, "btnTrova"));
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->currentRow(), -1);

    // Capitals find the first January line through its date column.
    summary.btnTrovaClick();
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->currentRow(), 0);

    // The same key walks through the matches and wraps round.
    named<QLineEdit>(&summary, "txtTrova")->setText(QStringLiteral("notte"));
    QList<int> walk;
    for (int click = 0; click < 7; ++click) {
        summary.btnTrovaClick();
        walk << named<QListWidget>(&summary, "lstRecords")->currentRow();
    }
    QCOMPARE(walk, (QList<int>{0, 1, 2, 4, 5, 0, 1}));

    // A new key starts again from the first line; a key found nowhere leaves the selection.
    named<QLineEdit>(&summary, "txtTrova")->setText(QStringLiteral("ferie"));
    summary.btnTrovaClick();
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->currentRow(), 3);
    named<QLineEdit>(&summary, "txtTrova")->setText(QStringLiteral("ferie "));
    summary.btnTrovaClick();
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->currentRow(), 3);
    QCOMPARE(messages.count(), 0);
    QCOMPARE(TfrmRiepPrenotazioni::lastSearchKey(), QStringLiteral("ferie "));
}

void TestRegisterPrints::summarySearchKeyOutlivesTheScreen()
{
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("gen_05")), QStringLiteral("Corso"));
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("gen_06")), QStringLiteral("Corso"));
    {
        TfrmRiepPrenotazioni first(m_calendar);
        named<QLineEdit>(&first, "txtTrova")->setText(QStringLiteral("Corso"));
        first.btnTrovaClick();
        QCOMPARE(named<QListWidget>(&first, "lstRecords")->currentRow(), 0);
        first.btnChiudiClick();
        QCOMPARE(named<QListWidget>(&first, "lstRecords")->count(),
                 0); // closing empties the list
    }
    // A fresh screen, the same key: the first line is selected, the search goes on after it.
    TfrmRiepPrenotazioni second(m_calendar);
    QCOMPARE(named<QLineEdit>(&second, "txtTrova")->text(), QString());
    named<QLineEdit>(&second, "txtTrova")->setText(QStringLiteral("corso"));
    second.btnTrovaClick();
    QCOMPARE(named<QListWidget>(&second, "lstRecords")->currentRow(), 1);
}

void TestRegisterPrints::summaryEmptyList()
{
    TfrmRiepPrenotazioni::lastSearchKey() = QStringLiteral("prima");
    TfrmRiepPrenotazioni summary(m_calendar);
    QCOMPARE(named<QListWidget>(&summary, "lstRecords")->count(), 0);
    MessageRecorder messages;
    named<QLineEdit>(&summary, "txtTrova")->setText(QStringLiteral("dopo"));
    summary.btnTrovaClick();
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Plain);
    QCOMPARE(messages.last().text, kEmptyListMessage);
    QCOMPARE(TfrmRiepPrenotazioni::lastSearchKey(), QStringLiteral("prima"));

    // Printing an empty list is allowed: title, an empty list area, the closing line.
    PrintDialogRecorder printer;
    summary.btnStampaClick();
    QCOMPARE(printer.jobs().size(), 1);
    const auto& pages = printer.jobs().front().pages;
    QCOMPARE(int(pages.size()), 1);
    QVERIFY(printedLines(pages, QStringLiteral("txtRiepilogo")).isEmpty());
    QCOMPARE(printedLines(pages, QStringLiteral("txtPagina")),
             QStringList{QStringLiteral("Stampa eseguita in data 05/03/2024")});
}

void TestRegisterPrints::summaryPrint()
{
    PersonYear person = kPerson;
    person.persona = QStringLiteral(" Rossi Mario ");
    m_calendar->setChoice(person);
    for (int slot = 0; slot < 70; ++slot)
        m_calendar->applyDay(slot, QStringLiteral("Attivit\u00e0 [%1]").arg(slot));
    TfrmRiepPrenotazioni summary(m_calendar);
    summary.show();
    MessageRecorder messages;
    PrintDialogRecorder printer;
    summary.btnStampaClick();
    QCOMPARE(printer.jobs().size(), 1);
    const PrintedJob& job = printer.jobs().front();
    QCOMPARE(job.title, QStringLiteral("Riepilogo dati"));
    QCOMPARE(int(job.pages.size()), 2);
    QCOMPARE(
        printedLines(job.pages, QStringLiteral("txtTitolo")),
        QStringList{QStringLiteral("Riepilogo presenze e attivit\u00e0 di Rossi Mario anno 2024")});
    QCOMPARE(printedLines(job.pages, QStringLiteral("txtRiepilogo")),
             items(named<QListWidget>(&summary, "lstRecords")));
    QVERIFY(summary.isVisible()); // the screen stays open

    // Printing again gives the same pages; with no printer the user is told.
    summary.btnStampaClick();
    QCOMPARE(describe(printer.jobs().at(1).pages), describe(job.pages));
    printer.setPrinterInstalled(false);
    summary.btnStampaClick();
    QCOMPARE(printer.jobs().size(), 2);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
}

void TestRegisterPrints::sheetDialogsLook()
{
    struct Row {
        const char* control;
        QRect print;
        QRect preview;
    };
    const Row rows[] = {
        {"shpSfondo", {18, 18, 326, 215}, {18, 18, 327, 215}},
        {"icoInf01", {28, 28, 240, 83}, {28, 28, 225, 83}},
        {"imgLogo01", {280, 31, 51, 81}, {280, 31, 51, 81}},
        {"shpSepara", {26, 120, 311, 4}, {26, 120, 311, 6}},
        {"imgSezione04", {30, 140, 82, 72}, {30, 140, 66, 69}},
        {"icoInf02", {122, 140, 206, 71}, {112, 140, 209, 67}},
        {"btnAnnulla", {18, 243, 137, 28}, {18, 243, 137, 28}},
        {"btnStampa", {208, 243, 137, 28}, {208, 243, 137, 28}},
    };
    TfrmStampaPlanning print(m_calendar);
    TfrmAnteprimaPlanning preview(m_calendar);
    QCOMPARE(print.windowTitle(), QStringLiteral(" Stampa scheda corrente"));
    QCOMPARE(preview.windowTitle(), QStringLiteral(" Anteprima di stampa"));
    QCOMPARE(print.size(), QSize(364, 287));
    QCOMPARE(preview.size(), QSize(362, 287));
    QCOMPARE(named<QPushButton>(&print, "btnStampa")->text(), QStringLiteral("Stampa"));
    QCOMPARE(named<QPushButton>(&preview, "btnStampa")->text(), QStringLiteral("Mostra anteprima"));
    QCOMPARE(tabWalk(&print, named<QPushButton>(&print, "btnAnnulla"), 3),
             (QStringList{QStringLiteral("btnAnnulla"), QStringLiteral("btnStampa"),
                          QStringLiteral("btnAnnulla")}));
    for (const Row& row : rows) {
        auto* p = print.findChild<QWidget*>(QString::fromLatin1(row.control));
        auto* v = preview.findChild<QWidget*>(QString::fromLatin1(row.control));
        QVERIFY2(p && v, row.control);
        QCOMPARE(p->geometry(), row.print);
        QCOMPARE(v->geometry(), row.preview);
    }
}

void TestRegisterPrints::sheetPrintFollowsTheCalendar()
{
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("feb_29")), QStringLiteral("Bisestile"));
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("dic_31")), QStringLiteral("Chiusura"));
    m_calendar->applyDay(DaySlot(5, 1), QStringLiteral("   ")); // blanks: absent
    MessageRecorder messages;
    PrintDialogRecorder printer;
    TfrmStampaPlanning dialog(m_calendar);
    dialog.show();
    dialog.btnStampaClick();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(printer.jobs().size(), 1);
    const PrintedJob& job = printer.jobs().front();
    QCOMPARE(job.title, QStringLiteral("Registro Presenze"));
    QCOMPARE(int(job.pages.size()), 1);
    const PreparedPage& page = job.pages.front();

    for (int slot = 0; slot < kDaysPerYear; ++slot) {
        const MonthDay date = slotDate(slot);
        const QString name =
            QStringLiteral("txt%1_%2")
                .arg(QString::fromLatin1(MonthTable()[size_t(date.month - 1)].namePart))
                .arg(date.day, 2, 10, QLatin1Char('0'));
        const ReportObject* cell = page.find(name);
        QVERIFY2(cell, qPrintable(name));
        const QString expected =
            m_calendar->year().isPresent(slot) ? QStringLiteral("X") : QStringLiteral(" ");
        QCOMPARE(cell->lines, QStringList{expected});
    }
    QCOMPARE(page.find(QStringLiteral("txtFeb_29"))->lines, QStringList{QStringLiteral("X")});
    QCOMPARE(page.find(QStringLiteral("txtMag_01"))->lines, QStringList{QStringLiteral(" ")});
    QCOMPARE(page.find(QStringLiteral("txtTitolo"))->lines,
             QStringList{QStringLiteral("Registro Presenze di Rossi Mario  -  Anno 2024")});
    QCOMPARE(page.find(QStringLiteral("txtRecapito"))->lines,
             QStringList{QStringLiteral("333 1234567")});
    QCOMPARE(page.find(QStringLiteral("txtCodFisc"))->lines,
             QStringList{QStringLiteral("RSSMRA80A01H501U")});
    QCOMPARE(page.find(QStringLiteral("txtMansioni"))->lines,
             QStringList{QStringLiteral("Magazzino")});
    QCOMPARE(page.find(QStringLiteral("txtCalce"))->lines,
             QStringList{QStringLiteral("Stampa eseguita in data 05/03/2024 alle ore 09:05:03")});
    QCOMPARE(messages.count(), 0);
}

void TestRegisterPrints::sheetPreviewGivesThePrintedPage()
{
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("lug_14")), QStringLiteral("Trasferta"));
    PrintDialogRecorder printer;
    PreviewRecorder preview;
    QString caption;
    preview.onShow([&](QWidget* window) { caption = window->windowTitle(); });
    TfrmAnteprimaPlanning previewDialog(m_calendar);
    previewDialog.show();
    previewDialog.btnStampaClick();
    QCOMPARE(preview.count(), 1);
    QCOMPARE(caption, QStringLiteral("Registro Presenze"));
    QVERIFY(!previewDialog.isVisible());

    TfrmStampaPlanning printDialog(m_calendar);
    printDialog.btnStampaClick();
    QCOMPARE(describe(preview.lastPages()), describe(printer.jobs().front().pages));
}

void TestRegisterPrints::sheetCancelPrintsNothing()
{
    MessageRecorder messages;
    PrintDialogRecorder printer;
    printer.setNextAnswer(false);
    TfrmStampaPlanning cancelled(m_calendar);
    cancelled.show();
    cancelled.btnStampaClick();
    QVERIFY(!cancelled.isVisible()); // the dialog closes as after printing
    QVERIFY(printer.jobs().isEmpty());

    TfrmStampaPlanning annulla(m_calendar);
    annulla.show();
    annulla.btnAnnullaClick();
    QVERIFY(!annulla.isVisible());
    QCOMPARE(printer.requests().size(), 1);
    QCOMPARE(messages.count(), 0);
}

void TestRegisterPrints::calendarButtonsOpenTheirDialogs()
{
    m_calendar->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_calendar));
    m_calendar->applyDay(slotOfDayKey(QStringLiteral("gen_01")), QStringLiteral("Primo giorno"));
    struct Row {
        const char* command;
        const char* dialog;
    };
    const Row rows[] = {
        {"cmdRiepilogo", "frmRiepPrenotazioni"},
        {"cmdAnteprima", "frmAnteprimaPlanning"},
        {"cmdStampa", "frmStampaPlanning"},
    };
    for (const Row& row : rows) {
        QString opened;
        QPointer<QDialog> seen;
        onNextModal([&](QDialog* dialog) {
            opened = dialog->objectName();
            seen = dialog;
            QCOMPARE(dialog->parentWidget(), static_cast<QWidget*>(m_calendar));
        });
        QTest::mouseClick(m_calendar->findChild<Picture*>(QString::fromLatin1(row.command)),
                          Qt::LeftButton);
        QCOMPARE(opened, QString::fromLatin1(row.dialog));
        QVERIFY(!seen); // destroyed once closed
    }
}

QTEST_MAIN(TestRegisterPrints)
#include "tst_registerprints.moc"
