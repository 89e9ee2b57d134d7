// The session ends while a calendar is open: a shutdown's SIGTERM, a logout's SIGHUP, Ctrl+C,
// or a kill -9 that ends the process on the spot. The program runs as its own process, started
// as main starts it, with a day applied in the day dialog; the day is in the year file as soon
// as the dialog has closed, the signal ends the program cleanly (kill -9 excepted) and the year
// file still holds the day, never a year file of 0 bytes.

#include "app/screens.h"
#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/registry/anagraficarecord.h"
#include "register/daygrid.h"
#include "register/giorno.h"
#include "register/menucamere.h"
#include "register/planning.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

const QString kCodFisc = QStringLiteral("RSSMRA80A01H501U");
const QString kYear = QStringLiteral("2024");
const char* const kCalendarMode = "--calendario";

// Types text into the day dialog that is up and, when apply, presses "Applica e chiudi".
void typeIntoDayDialog(const QString& text, bool apply)
{
    auto* day = qobject_cast<TfrmGiorno*>(QApplication::activeModalWidget());
    if (!day)
        return;
    QTest::keyClicks(day->findChild<QLineEdit*>(QStringLiteral("txtPrenotazione")), text);
    if (apply)
        QTest::mouseClick(day->findChild<QPushButton*>(QStringLiteral("btnChiudi")),
                          Qt::LeftButton);
}

void clickDay(TfrmPlanning* calendar, int month, int day)
{
    QTest::mouseClick(calendar->findChild<DayGrid*>(QStringLiteral("grdGiorni")), Qt::LeftButton,
                      Qt::NoModifier, DayGrid::cellRect(DaySlot(month, day)).center());
}

void announceReady()
{
    std::fputs("pronto\n", stdout);
    std::fflush(stdout);
}

// The program as main runs it, on the program folder given, with the register opened on the
// one card of the registry and 15 March entered through the day dialog. With "dialogo" the
// day dialog of 16 March is left open with a text typed but not applied.
int runCalendar(int argc, char** argv)
{
    QApplication app(argc, argv);
    setProgramFolderForTests(QString::fromLocal8Bit(argv[2]));
    const bool dialogOpen = argc > 3 && std::strcmp(argv[3], "dialogo") == 0;
    createScreens();

    QTimer::singleShot(0, [dialogOpen] {
        auto* selection = qobject_cast<TfrmMenuCamere*>(screens().frmMenuCamere.data());
        auto* calendar = qobject_cast<TfrmPlanning*>(screens().frmPlanning.data());
        switchScreen(screens().frmPassword, selection);
        selection->findChild<QListWidget*>(QStringLiteral("lstRecords"))->setCurrentRow(0);
        selection->findChild<QLineEdit*>(QStringLiteral("txtAnnoFatture"))->setText(kYear);
        selection->btnApriFattureClick();
        if (!calendar->isVisible())
            QCoreApplication::exit(2);

        QTimer::singleShot(0, [] { typeIntoDayDialog(QStringLiteral("Inventario"), true); });
        clickDay(calendar, 3, 15);
        if (!dialogOpen) {
            announceReady();
            return;
        }
        QTimer::singleShot(0, [] {
            typeIntoDayDialog(QStringLiteral("Ferie"), false);
            announceReady();
        });
        clickDay(calendar, 3, 16); // open until the signal ends every event loop
    });
    return app.exec();
}

} // namespace

class TestSessionEnd : public QObject {
    Q_OBJECT

private slots:
    void openYearIsStoredWhenTheSessionEnds_data();
    void openYearIsStoredWhenTheSessionEnds();
};

void TestSessionEnd::openYearIsStoredWhenTheSessionEnds_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("dialogOpen");
    QTest::newRow("SIGTERM (shutdown)") << int(SIGTERM) << false;
    QTest::newRow("SIGHUP (the session's terminal goes away)") << int(SIGHUP) << false;
    QTest::newRow("SIGINT (Ctrl+C)") << int(SIGINT) << false;
    QTest::newRow("SIGTERM while the day dialog is open") << int(SIGTERM) << true;
    QTest::newRow("SIGKILL (kill -9)") << int(SIGKILL) << false;
    QTest::newRow("SIGKILL while the day dialog is open") << int(SIGKILL) << true;
}

void TestSessionEnd::openYearIsStoredWhenTheSessionEnds()
{
    QFETCH(int, signal);
    QFETCH(bool, dialogOpen);
    TempProgramFolder folder;
    AnagraficaRecord card;
    card.set(AnagraficaField::Cognome, QStringLiteral("Rossi"));
    card.set(AnagraficaField::Nome, QStringLiteral("Mario"));
    card.set(AnagraficaField::CodFisc, kCodFisc);
    QVERIFY(writeAll(folder.file(QStringLiteral("Anagrafica.pro")), card.bytes()));

    QProcess program;
    QStringList arguments = {QString::fromLatin1(kCalendarMode), folder.path()};
    if (dialogOpen)
        arguments << QStringLiteral("dialogo");
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationFilePath(), arguments);
    QVERIFY(program.waitForStarted());
    QByteArray said;
    while (!said.contains("pronto\n") && program.waitForReadyRead(20000))
        said += program.readAllStandardOutput();
    QVERIFY2(said.contains("pronto\n"), said.constData());
    const QString path = YearFileName(kCodFisc, kYear);
    // The day applied is stored as the dialog closes.
    QCOMPARE(LoadYear(path).at(DaySlot(3, 15)), QStringLiteral("Inventario"));

    QCOMPARE(::kill(pid_t(program.processId()), signal), 0);
    QVERIFY(program.waitForFinished(20000));
    if (signal == SIGKILL) {
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    } else {
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

    QCOMPARE(QFileInfo(path).size(), PresenzeRecord::kSize);
    const QStringList days = LoadYear(path);
    QCOMPARE(days.at(DaySlot(3, 15)), QStringLiteral("Inventario"));
    QCOMPARE(days.at(DaySlot(3, 16)), QString()); // typed, never applied
}

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], kCalendarMode) == 0)
        return runCalendar(argc, argv);
    QCoreApplication app(argc, argv);
    TestSessionEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionend.moc"
