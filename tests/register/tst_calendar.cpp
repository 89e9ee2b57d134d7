// The annual calendar and the day dialog, driven through their handlers, with the year file's
// bytes checked on disk.

#include "app/avvio.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/help/helptexts.h"
#include "core/registry/registry.h"
#include "help/guida.h"
#include "register/dayimage.h"
#include "register/giorno.h"
#include "register_support.h"
#include "ui/decor.h"
#include "ui/infoline.h"
#include "ui/messages.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QtTest>

namespace {

const QString kRossi = QStringLiteral("RSSMRA80A01H501U");
const QString kVerdi = QStringLiteral("VRDLNE90C43L219K");

QList<AnagraficaRecord> registryCards(const QString& secondCodFisc = kVerdi)
{
    return {
        makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("333 1234567"),
                 kRossi, QStringLiteral("Magazzino")),
        makeCard(QStringLiteral("Verdi"), QStringLiteral("Elena"), QStringLiteral("011 22"),
                 secondCodFisc, QStringLiteral("Ufficio")),
    };
}

QString yearFile(const TempProgramFolder& folder, const QString& cf, const QString& year)
{
    return folder.file(QStringLiteral("Registro presenze ") + cf + QStringLiteral(" anno ") + year
                       + QStringLiteral(".vsr"));
}

// The text stored for slot in the first record of bytes.
QByteArray storedText(const QByteArray& bytes, int slot)
{
    const int length = static_cast<unsigned char>(bytes.at(251 * slot));
    return bytes.mid(251 * slot + 1, length);
}

bool allAbsent(const TfrmPlanning* c)
{
    for (int s = 0; s < kDaysPerYear; ++s) {
        if (c->isPresent(s) || c->cell(s).lib->isHidden() || !c->dayText(s).isEmpty())
            return false;
    }
    return true;
}

// Clicks the visible look of the day at slot and, in the dialog that opens, runs action.
void onDay(TfrmPlanning* calendar, int slot, const std::function<void(TfrmGiorno*)>& action)
{
    const DayCell& cell = calendar->cell(slot);
    DayImage* visible = cell.occ->isHidden() ? cell.lib : cell.occ;
    bool opened = false;
    onNextModal([&](QDialog* dialog) {
        opened = true;
        auto* day = qobject_cast<TfrmGiorno*>(dialog);
        QVERIFY(day);
        action(day);
    });
    QTest::mouseClick(visible, Qt::LeftButton);
    QVERIFY(opened);
}

void typeAndApply(TfrmPlanning* calendar, int slot, const QString& text)
{
    onDay(calendar, slot, [&](TfrmGiorno* day) {
        day->txtPrenotazione->setText(text);
        QTest::mouseClick(day->btnChiudi, Qt::LeftButton);
    });
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void controlsAreNamedAndPlaced();
    void hints();
    void recordAPresenceAndFindItAgain();
    void dayDialog();
    void twentyNinthOfFebruaryInAnyYear();
    void closingByTheWindowSavesLikeEsci();
    void secondPersonStartsEmpty();
    void longHeaderValuesShowTheirBeginning();
    void unreadableYearFileIsNotOverwritten();
    void codiceFiscaleThatCannotNameAFile();
    void setDayByKey();
    void helpFromBothScreens();
    void fromTheStartMenuAndBack();
};

void TestCalendar::controlsAreNamedAndPlaced()
{
    TempProgramFolder folder;
    RegisterScreens s;
    TfrmPlanning* c = s.calendar;
    QCOMPARE(c->objectName(), QStringLiteral("frmPlanning"));
    struct Day {
        const char* suffix;
        int slot;
        QRect place;
    };
    const Day days[] = {
        {"Gen_01", 0, {166, 152, 24, 33}},   {"Gen_31", 30, {946, 152, 24, 33}},
        {"Feb_29", 59, {894, 192, 24, 33}},  {"Mar_01", 60, {166, 232, 24, 33}},
        {"Giu_27", 178, {842, 352, 24, 33}}, {"Dic_31", 365, {946, 592, 24, 33}},
    };
    for (const Day& d : days) {
        const QString suffix = QString::fromLatin1(d.suffix);
        auto* lib = c->findChild<DayImage*>(QStringLiteral("lib") + suffix);
        auto* occ = c->findChild<DayImage*>(QStringLiteral("occ") + suffix);
        auto* mem = c->findChild<QLabel*>(QStringLiteral("mem") + suffix);
        QVERIFY2(lib && occ && mem, d.suffix);
        QCOMPARE(c->cell(d.slot).lib, lib);
        QCOMPARE(c->cell(d.slot).occ, occ);
        QCOMPARE(c->cell(d.slot).mem, mem);
        QCOMPARE(lib->geometry(), d.place);
        QCOMPARE(occ->geometry(), d.place);
        QVERIFY(!lib->isHidden());
        QVERIFY(occ->isHidden());
        QCOMPARE(mem->parentWidget()->objectName(), QStringLiteral("panMemGiorni"));
    }
    QVERIFY(c->findChild<QWidget*>(QStringLiteral("panMemGiorni"))->isHidden());
    for (const char* missing : {"libFeb_30", "occApr_31", "memNov_31"})
        QVERIFY(!c->findChild<QWidget*>(QString::fromLatin1(missing)));
    QCOMPARE(c->findChildren<DayImage*>().size(), 2 * 366);

    const char* months[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                            "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};
    for (int m = 0; m < 12; ++m) {
        auto* title = c->findChild<Picture*>(QStringLiteral("tit") + QLatin1String(months[m]));
        QVERIFY(title);
        QCOMPARE(title->geometry(), QRect(24, 152 + 40 * m, 136, 33));
    }
    for (const char* hidden : {"lblPosizione", "cmdSalva", "cmdNuovo"})
        QVERIFY(c->findChild<QWidget*>(QString::fromLatin1(hidden))->isHidden());
}

void TestCalendar::hints()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    TfrmPlanning* c = s.calendar;
    QCOMPARE(c->info()->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    const QString dayHint =
        QStringLiteral("Fai clic sul numero del giorno per inserire o cancellare una presenza.");
    typeAndApply(c, 10, QStringLiteral("Turno"));
    struct Row {
        QWidget* control;
        QString hint;
    };
    const Row rows[] = {
        {c->cmdRiepilogo,
         QString::fromUtf8("Visualizza il riepilogo delle presenze e attività registrate.")},
        {c->cmdAnteprima,
         QStringLiteral("Visualizza l'anteprima di stampa del registro presenze visualizzato.")},
        {c->cmdStampa, QStringLiteral("Stampa il registro presenze visualizzato.")},
        {c->cmdGuida, QStringLiteral("Visualizza la guida in linea.")},
        {c->cmdEsci, QStringLiteral("Esci da questa schermata di lavoro.")},
        {c->cell(10).occ, dayHint}, // red
        {c->cell(11).lib, dayHint}, // violet
        {c->findChild<QWidget*>(QStringLiteral("icoTitolo")), QString()},
        {c->cmdStampa, QStringLiteral("Stampa il registro presenze visualizzato.")},
        {c->findChild<QWidget*>(QStringLiteral("icoChiave")), QString()},
        {c->cmdEsci, QStringLiteral("Esci da questa schermata di lavoro.")},
        {c->findChild<QWidget*>(QStringLiteral("panContainer")), QString()},
    };
    for (const Row& r : rows) {
        QVERIFY(r.control);
        // Sent to the control itself: the test screen is narrower than the calendar.
        QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), r.control->mapToGlobal(QPointF(3, 3)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(r.control, &move);
        QCOMPARE(c->info()->text(), r.hint);
    }
}

void TestCalendar::recordAPresenceAndFindItAgain()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    const QString path = yearFile(folder, kRossi, QStringLiteral("2021"));
    s.openCalendar(0, QStringLiteral("2021"));
    TfrmPlanning* c = s.calendar;

    // A year without file: an empty file is created and every day is violet.
    QCOMPARE(QFileInfo(path).size(), 0);
    QVERIFY(allAbsent(c));
    QCOMPARE(c->lblPosizione->text(), QStringLiteral("1"));

    typeAndApply(c, 0, QStringLiteral("  Riunione di reparto  "));
    typeAndApply(c, 188, QString::fromUtf8("Attività in sede"));
    QVERIFY(c->isPresent(0));
    QVERIFY(c->cell(0).lib->isHidden());
    QCOMPARE(c->dayText(0), QStringLiteral("Riunione di reparto"));
    // Nothing reaches the file before the calendar is left.
    QCOMPARE(QFileInfo(path).size(), 0);

    QTest::mouseClick(c->cmdEsci, Qt::LeftButton);
    QVERIFY(!c->isVisible());
    QVERIFY(s.avvio->isVisible());
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 91866);
    QCOMPARE(storedText(bytes, 0), QByteArray("Riunione di reparto"));
    QCOMPARE(storedText(bytes, 188), QByteArray("Attivit\xE0 in sede"));

    // Reopened, the year shows the same days and nothing else.
    s.openCalendar(0, QStringLiteral("2021"));
    for (int slot = 0; slot < kDaysPerYear; ++slot)
        QCOMPARE(c->isPresent(slot), slot == 0 || slot == 188);
    QCOMPARE(c->dayText(188), QString::fromUtf8("Attività in sede"));
    QCOMPARE(c->dayTexts().size(), 366);
}

void TestCalendar::dayDialog()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2021"));
    TfrmPlanning* c = s.calendar;

    // An absent day: its title, the person, an empty field and ASSENTE; typing turns the
    // banner at once, and deleting the last character turns it back.
    onDay(c, 8, [&](TfrmGiorno* day) {
        QCOMPARE(day->windowTitle(), QStringLiteral(" Registrazione presenza giornaliera"));
        QCOMPARE(day->size(), QSize(660, 379));
        QCOMPARE(day->infGiorno->text(), QStringLiteral("Giorno 9 gennaio 2021"));
        QCOMPARE(day->infCamera->text(), QStringLiteral("Rossi Mario"));
        QCOMPARE(day->lblMemory->text(), QStringLiteral("gen_09"));
        QCOMPARE(day->txtPrenotazione->text(), QString());
        QVERIFY(day->icoLibera->isVisible() && !day->icoOccupata->isVisible());
        QCOMPARE(QApplication::focusWidget(), day->txtPrenotazione);
        QTest::keyClick(day->txtPrenotazione, Qt::Key_Space);
        QVERIFY(day->icoLibera->isVisible()); // blanks alone are no activity
        QTest::keyClick(day->txtPrenotazione, Qt::Key_X);
        QVERIFY(day->icoOccupata->isVisible() && !day->icoLibera->isVisible());
        QTest::keyClick(day->txtPrenotazione, Qt::Key_Backspace);
        QVERIFY(day->icoLibera->isVisible() && !day->icoOccupata->isVisible());
        QTest::keyClick(day->txtPrenotazione, Qt::Key_Backspace);
        QCOMPARE(day->txtPrenotazione->text(), QString());
        QTest::keyClicks(day->txtPrenotazione, QString(300, QLatin1Char('a')));
        QCOMPARE(day->txtPrenotazione->text().size(), 250);
        QTest::mouseClick(day->btnChiudi, Qt::LeftButton);
    });
    QCOMPARE(c->dayText(8), QString(250, QLatin1Char('a')));

    // With the keyboard: Tab reaches "Applica e chiudi", Enter presses it.
    onDay(c, 9, [&](TfrmGiorno* day) {
        QTest::keyClicks(day->txtPrenotazione, QStringLiteral("Inventario"));
        QTest::keyClick(day->txtPrenotazione, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), day->btnChiudi);
        QTest::keyClick(day->btnChiudi, Qt::Key_Return);
        QVERIFY(!day->isVisible());
    });
    QCOMPARE(c->dayText(9), QStringLiteral("Inventario"));
    // A day that has the focus opens on Enter as on a click.
    QString opened;
    onNextModal([&](QDialog* dialog) {
        if (auto* day = qobject_cast<TfrmGiorno*>(dialog))
            opened = day->lblMemory->text();
    });
    c->cell(10).lib->setFocus();
    QTest::keyClick(c->cell(10).lib, Qt::Key_Return);
    QCOMPARE(opened, QStringLiteral("gen_11"));

    typeAndApply(c, 178, QStringLiteral("Consegna"));
    // A present day shows its text and PRESENTE. The eraser empties the field and keeps the
    // focus there, but only Applica changes the day: Annulla leaves it as it was.
    onDay(c, 178, [&](TfrmGiorno* day) {
        QCOMPARE(day->infGiorno->text(), QStringLiteral("Giorno 27 giugno 2021"));
        QCOMPARE(day->txtPrenotazione->text(), QStringLiteral("Consegna"));
        QVERIFY(day->icoOccupata->isVisible() && !day->icoLibera->isVisible());
        QTest::mouseClick(day->cmdCancella, Qt::LeftButton);
        QCOMPARE(day->txtPrenotazione->text(), QString());
        QVERIFY(day->icoLibera->isVisible());
        QCOMPARE(QApplication::focusWidget(), day->txtPrenotazione);
        QTest::mouseClick(day->btnAnnulla, Qt::LeftButton);
    });
    QVERIFY(c->isPresent(178));
    QCOMPARE(c->dayText(178), QStringLiteral("Consegna"));

    // The same text applied again changes nothing; blanks only make the day absent.
    typeAndApply(c, 178, QStringLiteral("Consegna"));
    QVERIFY(c->isPresent(178));
    QCOMPARE(c->dayText(178), QStringLiteral("Consegna"));
    typeAndApply(c, 178, QStringLiteral("   "));
    QVERIFY(!c->isPresent(178));
    QVERIFY(!c->cell(178).lib->isHidden());
    QCOMPARE(c->dayText(178), QString());

    c->close();
    const QByteArray bytes = readAll(yearFile(folder, kRossi, QStringLiteral("2021")));
    QCOMPARE(storedText(bytes, 178), QByteArray());
    QCOMPARE(storedText(bytes, 8), QByteArray(250, 'a'));
}

void TestCalendar::twentyNinthOfFebruaryInAnyYear()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2023"));
    onDay(s.calendar, 59, [&](TfrmGiorno* day) {
        QCOMPARE(day->infGiorno->text(), QStringLiteral("Giorno 29 febbraio 2023"));
        day->txtPrenotazione->setText(QStringLiteral("Inventario"));
        day->btnChiudiClick();
    });
    s.calendar->close();
    QCOMPARE(storedText(readAll(yearFile(folder, kRossi, QStringLiteral("2023"))), 59),
             QByteArray("Inventario"));
    s.openCalendar(0, QStringLiteral("2023"));
    QVERIFY(s.calendar->isPresent(59));
    QVERIFY(!s.calendar->isPresent(60));
}

void TestCalendar::closingByTheWindowSavesLikeEsci()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    const QString path = yearFile(folder, kRossi, QStringLiteral("2024"));

    // A day holding only blanks in the file shows violet and is stored empty after closing.
    PresenzeRecord record;
    QByteArray bytes = record.bytes();
    bytes.replace(251 * 40, 4, QByteArray("\x03   ", 4));
    QVERIFY(writeAll(path, bytes));

    s.openCalendar(0, QStringLiteral("2024"));
    QVERIFY(allAbsent(s.calendar));
    typeAndApply(s.calendar, 300, QStringLiteral("Fiera"));
    // The close button of the window sends the same close event as Esci's close().
    QCloseEvent event;
    QApplication::sendEvent(s.calendar, &event);
    QVERIFY(event.isAccepted());
    s.calendar->hide();
    const QByteArray saved = readAll(path);
    QCOMPARE(saved.size(), 91866);
    QCOMPARE(storedText(saved, 300), QByteArray("Fiera"));
    QCOMPARE(saved.at(251 * 40), '\0');
    QVERIFY(s.avvio->isVisible());
}

void TestCalendar::secondPersonStartsEmpty()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    typeAndApply(s.calendar, 5, QStringLiteral("Rossi al lavoro"));
    s.calendar->close();

    s.openCalendar(1, QStringLiteral("2024"));
    QCOMPARE(s.calendar->txtPersona->text(), QStringLiteral("Verdi Elena"));
    QVERIFY(allAbsent(s.calendar));
    s.calendar->close();
    QCOMPARE(storedText(readAll(yearFile(folder, kRossi, QStringLiteral("2024"))), 5),
             QByteArray("Rossi al lavoro"));
    QCOMPARE(readAll(yearFile(folder, kVerdi, QStringLiteral("2024"))), PresenzeRecord().bytes());
}

void TestCalendar::longHeaderValuesShowTheirBeginning()
{
    TempProgramFolder folder;
    const AnagraficaRecord card =
        makeCard(QStringLiteral("Castelfranchi"), QStringLiteral("Maria Vittoria Annunziata"),
                 QStringLiteral("+39 0471 123456 interno 2345 (ufficio)"), kRossi,
                 QStringLiteral("Coordinamento dei volontari del magazzino e della logistica"));
    QVERIFY(writeAll(registryFilePath(), cardBytes({card})));
    RegisterScreens s;
    // Twice: the second person's values replace the first's, and still show from the start.
    for (int round = 0; round < 2; ++round) {
        s.openCalendar(0, QStringLiteral("2024"));
        QVERIFY(QTest::qWaitForWindowExposed(s.calendar));
        for (QLineEdit* field : {s.calendar->txtPersona, s.calendar->txtRecapito,
                                 s.calendar->txtCodFisc, s.calendar->txtMansioni}) {
            QVERIFY(!field->text().isEmpty());
            QVERIFY2(field->cursorPosition() == 0, qPrintable(field->objectName()));
        }
        // The field is too narrow for the name: it shows "Castelfranchi ...", not "... Annunziata".
        QVERIFY(s.calendar->txtPersona->fontMetrics().horizontalAdvance(
                    s.calendar->txtPersona->text())
                > s.calendar->txtPersona->width());
        s.calendar->close();
    }
}

void TestCalendar::unreadableYearFileIsNotOverwritten()
{
    TempProgramFolder folder;
    openToAll(folder.path());
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    openToAll(registryFilePath());
    const QString path = yearFile(folder, kRossi, QStringLiteral("2024"));
    PresenzeRecord record;
    record.setText(3, QStringLiteral("Giorno importante"));
    QVERIFY(writeAll(path, record.bytes()));
    setMode(path, 0);

    MessageRecorder messages;
    RegisterScreens s;
    {
        AsOrdinaryUser user;
        s.openCalendar(0, QStringLiteral("2024"));
    }
    // Said on opening, before anything is typed.
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QVERIFY(messages.last().text.startsWith(
        QStringLiteral("Attenzione: il file del registro presenze di questo anno esiste ma non")));
    QVERIFY(s.calendar->isVisible());
    QVERIFY(allAbsent(s.calendar));
    QCOMPARE(s.calendar->lblPosizione->text(), QString());
    typeAndApply(s.calendar, 7, QStringLiteral("Nuovo giorno"));
    // The file has become readable again by the time the calendar is left: the empty year
    // shown must still not replace the stored days, and the day entered is said lost.
    setMode(path, 0644);
    s.calendar->close();
    QCOMPARE(messages.count(), 2);
    QVERIFY(messages.last().text.startsWith(QStringLiteral(
        "Attenzione: i giorni inseriti in questo calendario non sono stati salvati")));
    QVERIFY(s.avvio->isVisible());
    QCOMPARE(readAll(path), record.bytes());
}

void TestCalendar::codiceFiscaleThatCannotNameAFile()
{
    QTemporaryDir outer;
    const QString program = outer.path() + QStringLiteral("/prog/");
    QVERIFY(QDir().mkpath(program + QStringLiteral("Registro presenze AB")));
    setProgramFolderForTests(program);
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards(QStringLiteral("AB/../../x")))));
    {
        MessageRecorder messages;
        RegisterScreens s;
        s.openCalendar(1, QStringLiteral("2024"));
        QVERIFY(s.calendar->isVisible());
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.last().text.startsWith(
            QStringLiteral("Attenzione: il codice fiscale di questa scheda contiene caratteri")));
        QCOMPARE(s.calendar->txtCodFisc->text(), QStringLiteral("AB/../../x"));
        QVERIFY(allAbsent(s.calendar));
        typeAndApply(s.calendar, 0, QStringLiteral("Presente"));
        s.calendar->close();
        QCOMPARE(messages.count(), 2);
        QVERIFY(s.avvio->isVisible());
    }
    setProgramFolderForTests(QString());
    QCOMPARE(QDir(outer.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("prog")});
    QCOMPARE(
        QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList{QStringLiteral("Anagrafica.pro"), QStringLiteral("Registro presenze AB")}));
    QVERIFY(QDir(program + QStringLiteral("Registro presenze AB")).isEmpty());
}

void TestCalendar::setDayByKey()
{
    TempProgramFolder folder;
    RegisterScreens s;
    TfrmPlanning* c = s.calendar;
    QVERIFY(c->setDay(QStringLiteral("dic_31"), QStringLiteral(" Chiusura ")));
    QVERIFY(c->isPresent(365));
    QCOMPARE(c->cell(365).mem->text(), QStringLiteral("Chiusura"));
    for (const char* key : {"DIC_31", "dic_32", " dic_31", "feb_30"})
        QVERIFY(!c->setDay(QString::fromLatin1(key), QStringLiteral("x")));
    int present = 0;
    for (int slot = 0; slot < kDaysPerYear; ++slot)
        present += c->isPresent(slot) ? 1 : 0;
    QCOMPARE(present, 1);
    QVERIFY(c->setDay(QStringLiteral("dic_31"), QString()));
    QVERIFY(!c->isPresent(365));
    QVERIFY(!c->cell(365).lib->isHidden());
}

void TestCalendar::helpFromBothScreens()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.enterSelection();
    const auto expectHelp = [](QWidget* owner, QWidget* command) {
        bool shown = false;
        onNextModal([&](QDialog* dialog) {
            auto* help = qobject_cast<TfrmGuida*>(dialog);
            QVERIFY(help);
            QCOMPARE(help->parentWidget(), owner);
            QCOMPARE(help->lblTitolo->text(),
                     QStringLiteral("Applicazione Registrazione presenze."));
            QCOMPARE(
                help->txtGuida->toPlainText(),
                QString(registerHelpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            shown = true;
        });
        QTest::mouseClick(command, Qt::LeftButton);
        QVERIFY(shown);
    };
    expectHelp(s.selection, s.selection->imgGuida);
    s.openCalendar(0, QStringLiteral("2024"));
    expectHelp(s.calendar, s.calendar->cmdGuida);
    QVERIFY(s.calendar->isVisible());
}

void TestCalendar::fromTheStartMenuAndBack()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    createScreens();
    QVERIFY(logIn());
    auto* avvio = qobject_cast<TfrmAvvio*>(screens().frmAvvio.data());
    auto* selection = qobject_cast<TfrmMenuCamere*>(screens().frmMenuCamere.data());
    auto* calendar = qobject_cast<TfrmPlanning*>(screens().frmPlanning.data());
    QVERIFY(avvio && selection && calendar);
    avvio->show();
    QTest::mouseClick(avvio->btnPresenze, Qt::LeftButton);
    QVERIFY(selection->isVisible());
    QVERIFY(!avvio->isVisible());
    QCOMPARE(selection->lstRecords->count(), 2);

    selection->lstRecords->setCurrentRow(1);
    selection->txtAnnoFatture->setText(QStringLiteral("2022"));
    QTest::mouseClick(selection->btnApriFatture, Qt::LeftButton);
    QVERIFY(calendar->isVisible());
    typeAndApply(calendar, 31, QStringLiteral("Primo febbraio"));
    QTest::mouseClick(calendar->cmdEsci, Qt::LeftButton);
    QVERIFY(avvio->isVisible());
    QVERIFY(!calendar->isVisible() && !selection->isVisible());
    QCOMPARE(storedText(readAll(yearFile(folder, kVerdi, QStringLiteral("2022"))), 31),
             QByteArray("Primo febbraio"));
    destroyScreens();
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
