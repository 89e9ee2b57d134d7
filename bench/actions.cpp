#include "actions.h"

#include "generator.h"
#include "measure.h"

#include "app/screens.h"
#include "core/reports/listreport.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "register/riepprenotazioni.h"
#include "registry/clienti.h"
#include "registry/expclienti.h"
#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"
#include "ui/messages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <cstdio>
#include <cstdlib>
#include <memory>

void settle(QWidget* window)
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    if (!window)
        return;
    // A screen that takes no input (behind a login not passed) does less than the user's, and
    // its times would flatter the program: the run stops instead.
    if (!window->isEnabled()) {
        std::fprintf(stderr, "%s takes no input: the session is not open\n",
                     qPrintable(window->objectName()));
        std::_Exit(3);
    }
    window->repaint();
}

namespace {

template <typename F> double timed(F&& work)
{
    const double start = nowSeconds();
    work();
    return nowSeconds() - start;
}

TfrmClienti* cardScreen()
{
    auto* cards = qobject_cast<TfrmClienti*>(screens().frmClienti.data());
    if (cards && !cards->isVisible()) {
        screens().frmPassword->hide();
        cards->show();
        settle(cards);
    }
    return cards;
}

TfrmMenuCamere* selectionScreen()
{
    return qobject_cast<TfrmMenuCamere*>(screens().frmMenuCamere.data());
}

TfrmPlanning* calendarScreen()
{
    return qobject_cast<TfrmPlanning*>(screens().frmPlanning.data());
}

// The calendar of the first person of the list for 2024, opened as the selection screen's
// Apri opens it.
TfrmPlanning* openCalendar()
{
    TfrmPlanning* calendar = calendarScreen();
    if (calendar->isVisible())
        return calendar;
    TfrmMenuCamere* selection = selectionScreen();
    screens().frmPassword->hide();
    selection->show();
    settle(selection);
    selection->findChild<QListWidget*>(QStringLiteral("lstRecords"))->setCurrentRow(0);
    selection->lstRecordsClick();
    selection->findChild<QLineEdit*>(QStringLiteral("txtAnnoFatture"))
        ->setText(QStringLiteral("2024"));
    selection->btnApriFattureClick();
    settle(calendar);
    return calendar;
}

// The search screen as the card screen's "Trova" opens it, with filter set to text; only
// "Cerca" and the result panel it shows are timed.
double registrySearch(AnagraficaField field, const QString& text)
{
    TfrmClienti* cards = cardScreen();
    std::unique_ptr<TfrmTrovaClienti> search(new TfrmTrovaClienti(cards));
    search->show();
    settle(search.get());
    if (!text.isEmpty())
        search
            ->findChild<QLineEdit*>(QStringLiteral("txt")
                                    + QLatin1String(AnagraficaRecord::info(field).name))
            ->setText(text);
    return timed([&] {
        search->btnCercaClick();
        settle(search.get());
    });
}

// The recontact list from the click on the card screen's button to the list shown.
double recontactList()
{
    TfrmClienti* cards = cardScreen();
    std::unique_ptr<TfrmRicontatta> list;
    return timed([&] {
        list.reset(new TfrmRicontatta(cards));
        list->show();
        settle(list.get());
    });
}

// Cliente.pdf of the last card, without opening it afterwards.
double cardPdf()
{
    TfrmClienti* cards = cardScreen();
    if (cards->cardNumber() == 0)
        cards->imgUltimaClick();
    MessageRecorder answers;
    answers.setNextAnswer(MessageAnswer::No);
    return timed([&] { cards->cmdPDFClick(); });
}

double registerList()
{
    TfrmMenuCamere* selection = selectionScreen();
    if (!selection->isVisible()) {
        screens().frmPassword->hide();
        selection->show();
        settle(selection);
    }
    return timed([&] {
        selection->FormShow();
        settle(selection);
    });
}

double exportGridFill()
{
    TfrmClienti* cards = cardScreen();
    std::unique_ptr<TfrmExpClienti> dialog(new TfrmExpClienti(cards));
    return timed([&] {
        dialog->show();
        settle(dialog.get());
    });
}

double exportFileWrite()
{
    TfrmClienti* cards = cardScreen();
    std::unique_ptr<TfrmExpClienti> dialog(new TfrmExpClienti(cards));
    dialog->show();
    settle(dialog.get());
    MessageRecorder answers;
    answers.setNextAnswer(MessageAnswer::Yes); // export now
    answers.setNextAnswer(MessageAnswer::No);  // do not open the file
    return timed([&] { dialog->cmdEsportaClick(); });
}

double lastCard()
{
    TfrmClienti* cards = cardScreen();
    cards->cmdNuovoClick();
    return timed([&] {
        cards->imgUltimaClick();
        settle(cards);
    });
}

double calendarLoad()
{
    TfrmPlanning* calendar = openCalendar();
    return timed([&] {
        calendar->FormShow();
        settle(calendar);
    });
}

double calendarSave()
{
    TfrmPlanning* calendar = openCalendar();
    return timed([&] { calendar->cmdSalvaClick(); });
}

double summaryBuild()
{
    TfrmPlanning* calendar = openCalendar();
    std::unique_ptr<TfrmRiepPrenotazioni> summary;
    const double seconds = timed([&] {
        summary.reset(new TfrmRiepPrenotazioni(calendar));
        summary->show();
        settle(summary.get());
    });
    summary->close();
    return seconds;
}

// The report gets as many lines as the registry has cards.
double listReportPrepare(int lineCount)
{
    static const QStringList lines = generateListLines(lineCount, 7);
    std::unique_ptr<ReportDocument> report = makeListReport();
    return timed([&] {
        fillListReport(*report, QStringLiteral("Riepilogo schede anagrafiche"), lines);
        report->prepare();
    });
}

} // namespace

std::vector<BenchAction> benchActions()
{
    return {
        {QStringLiteral("search-all"), QStringLiteral("search: all filters empty"), true, true,
         Floor::Read, QString(), [] { return registrySearch(AnagraficaField::Cognome, {}); }},
        {QStringLiteral("search-one"), QStringLiteral("search: surname holding \"ross\""), true,
         true, Floor::Grep, QStringLiteral("ross"),
         [] { return registrySearch(AnagraficaField::Cognome, QStringLiteral("ross")); }},
        {QStringLiteral("recontact"), QStringLiteral("recontact list"), true, true, Floor::Read,
         QString(), recontactList},
        {QStringLiteral("register-list"), QStringLiteral("register: selection list"), true, true,
         Floor::Read, QString(), registerList},
        {QStringLiteral("export-grid"), QStringLiteral("export: grid fill"), true, true,
         Floor::Read, QString(), exportGridFill},
        {QStringLiteral("export-write"), QStringLiteral("export: file write"), true, false,
         Floor::WriteExport, QString(), exportFileWrite},
        {QStringLiteral("card-last"), QStringLiteral("card: go to the last card"), true, false,
         Floor::ReadRecord, QString(), lastCard},
        {QStringLiteral("card-pdf"), QStringLiteral("card: Cliente.pdf"), false, false,
         Floor::PdfPage, QString(), cardPdf},
        {QStringLiteral("calendar-load"), QStringLiteral("calendar: load"), false, false,
         Floor::ReadYear, QString(), calendarLoad},
        {QStringLiteral("calendar-save"), QStringLiteral("calendar: save"), false, false,
         Floor::WriteYear, QString(), calendarSave},
        {QStringLiteral("summary"), QStringLiteral("summary: build"), false, false, Floor::None,
         QString(), summaryBuild},
        {QStringLiteral("list-report"), QStringLiteral("list report: prepare 10,000 lines"), false,
         false, Floor::None, QString(), [] { return listReportPrepare(10000); }},
    };
}
