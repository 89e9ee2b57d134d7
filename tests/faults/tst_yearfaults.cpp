// The calendar's year file under the faults a disk can show: a year file that may not be
// written, a folder in its place, a program folder that takes no new file, a device that is
// full when the year is opened or fills up while a day is stored; and a codice fiscale that
// names no file. A year that cannot be stored says so on opening, before anything is typed,
// again at each day applied and on leaving when days entered are lost; a store that fails says
// so at the day applied and on leaving. No stored day is ever lost.

#include "register/register_support.h"

#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/registry/registry.h"
#include "ui/messages.h"

#include <QDir>
#include <QtTest/QtTest>

#include <optional>

namespace {

const QString kCodFisc = QStringLiteral("RSSMRA80A01H501U");

enum class Fault {
    ReadOnlyYearFile,
    FolderInPlace,
    ReadOnlyProgramFolder,
    DeviceFullAtOpening,
    DeviceFullOverStoredYear,
};

QStringList folderEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
}

// The warnings on opening a year that cannot be stored, and on leaving one whose days entered
// were not stored.
const QString kNotStoredEnd = QString::fromUtf8(
    "\n\r\n\rIl calendario può essere consultato, ma i giorni inseriti non verranno salvati.");
const QString kUnusableName =
    QString::fromUtf8("Attenzione: il codice fiscale di questa scheda contiene caratteri che non "
                      "possono far parte del nome di un file (/ \\ : * ? \" < > | o caratteri di "
                      "controllo), quindi il registro presenze di questo anno non può essere "
                      "salvato. Per salvarlo, correggere il codice fiscale nella scheda "
                      "anagrafica.")
    + kNotStoredEnd;
const QString kUnreadable =
    QString::fromUtf8("Attenzione: il file del registro presenze di questo anno esiste ma non può "
                      "essere letto, quindi il calendario è mostrato vuoto e non verrà salvato, "
                      "per non sostituire i giorni registrati nel file.")
    + kNotStoredEnd;
const QString kReadOnly = QString::fromUtf8("Attenzione: il file del registro presenze di questo "
                                            "anno è di sola lettura, quindi non può essere "
                                            "aggiornato.")
                          + kNotStoredEnd;
const QString kNoNewFile =
    QString::fromUtf8("Attenzione: la cartella del programma non permette di creare il file del "
                      "registro presenze di questo anno, quindi l'anno non può essere salvato.")
    + kNotStoredEnd;
const QString kNoRoom =
    QString::fromUtf8("Attenzione: non è stato possibile scrivere il file del registro presenze "
                      "di questo anno, probabilmente perché il disco è pieno, quindi l'anno non "
                      "può essere salvato.")
    + kNotStoredEnd;
const QString kLeftUnstored = QString::fromUtf8(
    "Attenzione: i giorni inseriti in questo calendario non sono stati salvati, perché il "
    "registro presenze di questo anno non può essere salvato.");
const QString kSaveFailed = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante il salvataggio del registro presenze: i "
    "giorni inseriti non sono stati salvati.\n\r\n\rIl file del registro è rimasto come era "
    "prima.");

} // namespace

class TestYearFaults : public QObject {
    Q_OBJECT

private slots:
    void calendarKeepsStoredDays_data();
    void calendarKeepsStoredDays();
    void unstorableYearSaysSoBeforeTyping_data();
    void unstorableYearSaysSoBeforeTyping();
    void laterRecordsSurviveAFailedSave();
    void savedInPlaceWhenTheFolderTakesNoNewFile();
};

void TestYearFaults::calendarKeepsStoredDays_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("read-only year file") << int(Fault::ReadOnlyYearFile);
    QTest::newRow("a folder where the year file should be") << int(Fault::FolderInPlace);
    QTest::newRow("read-only program folder, no year file yet")
        << int(Fault::ReadOnlyProgramFolder);
    QTest::newRow("device full when a new year is opened") << int(Fault::DeviceFullAtOpening);
    QTest::newRow("device full over a stored year") << int(Fault::DeviceFullOverStoredYear);
}

// The person's calendar is opened, a day is entered and the calendar is left: whatever the
// fault, the year file holds what it held before, byte for byte, and the user is told: on
// opening when the fault is there already, at the day applied and on leaving that the day
// entered was not stored.
void TestYearFaults::calendarKeepsStoredDays()
{
    QFETCH(int, fault);
    TempProgramFolder folder;
    openToAll(folder.path());
    QVERIFY(writeAll(
        registryFilePath(),
        cardBytes({makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"),
                            QStringLiteral("333 1234567"), kCodFisc, QStringLiteral("Autista"))})));
    openToAll(registryFilePath());
    const QString path = YearFileName(kCodFisc, QStringLiteral("2024"));

    PresenzeRecord stored;
    stored.setText(DaySlot(1, 1), QStringLiteral("Inventario di inizio anno"));
    stored.setText(DaySlot(2, 29), QStringLiteral("Consegne zona nord"));
    QByteArray before;
    switch (Fault(fault)) {
    case Fault::ReadOnlyYearFile:
        QVERIFY(writeAll(path, stored.bytes()));
        setMode(path, 0444);
        break;
    case Fault::FolderInPlace:
        QVERIFY(QDir().mkdir(path));
        QVERIFY(writeAll(path + QStringLiteral("/dentro"), "resta"));
        break;
    case Fault::DeviceFullOverStoredYear:
        QVERIFY(writeAll(path, stored.bytes()));
        openToAll(path);
        break;
    case Fault::ReadOnlyProgramFolder:
    case Fault::DeviceFullAtOpening:
        break;
    }
    const bool withStoredYear =
        Fault(fault) == Fault::ReadOnlyYearFile || Fault(fault) == Fault::DeviceFullOverStoredYear;
    if (withStoredYear)
        before = readAll(path);
    const QStringList entriesBefore = folderEntries(folder.path());

    QStringList expected;
    switch (Fault(fault)) {
    case Fault::ReadOnlyYearFile:
        expected = QStringList{kReadOnly, kLeftUnstored, kLeftUnstored};
        break;
    case Fault::FolderInPlace:
        expected = QStringList{kUnreadable, kLeftUnstored, kLeftUnstored};
        break;
    case Fault::ReadOnlyProgramFolder:
        expected = QStringList{kNoNewFile, kLeftUnstored, kLeftUnstored};
        break;
    case Fault::DeviceFullAtOpening:
        expected = QStringList{kNoRoom, kLeftUnstored, kLeftUnstored};
        break;
    case Fault::DeviceFullOverStoredYear:
        expected = QStringList{kSaveFailed, kSaveFailed};
        break;
    }
    const int atOpening = expected.size() - 2;

    MessageRecorder messages;
    {
        RegisterScreens s;
        if (Fault(fault) == Fault::ReadOnlyProgramFolder)
            setMode(folder.path(), 0555);
        {
            AsOrdinaryUser user;
            {
                std::optional<FileSizeLimit> full;
                if (Fault(fault) == Fault::DeviceFullAtOpening)
                    full.emplace(1000);
                s.openCalendar(0, QStringLiteral("2024"));
            }
            QVERIFY(s.calendar->isVisible());
            // Told on opening, before a day is typed, when the year cannot be stored.
            QCOMPARE(messages.count(), atOpening);
            if (withStoredYear) {
                // The stored days can be read: they are on screen.
                QCOMPARE(s.calendar->year().text(0), QStringLiteral("Inventario di inizio anno"));
                QCOMPARE(s.calendar->year().text(59), QStringLiteral("Consegne zona nord"));
            }
            std::optional<FileSizeLimit> full;
            if (Fault(fault) == Fault::DeviceFullOverStoredYear)
                full.emplace(1000);
            // Told at once when the day applied is not stored, and again on leaving.
            typeAndApply(s.calendar, 1, QStringLiteral("Nuovo giorno"));
            QCOMPARE(messages.count(), atOpening + 1);
            s.calendar->close();
        }
        setMode(folder.path(), 0777);
        QVERIFY(!s.calendar->isVisible());
    }
    QStringList shown;
    for (const ShownMessage& m : messages.messages()) {
        QCOMPARE(m.kind, MessageKind::Warning);
        shown << m.text;
    }
    QCOMPARE(shown, expected);

    switch (Fault(fault)) {
    case Fault::ReadOnlyYearFile:
    case Fault::DeviceFullOverStoredYear:
        setMode(path, 0644);
        QCOMPARE(readAll(path), before);
        QCOMPARE(folderEntries(folder.path()), entriesBefore);
        break;
    case Fault::FolderInPlace:
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(readAll(path + QStringLiteral("/dentro")), QByteArray("resta"));
        QCOMPARE(folderEntries(folder.path()), entriesBefore);
        break;
    case Fault::ReadOnlyProgramFolder:
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(folderEntries(folder.path()), entriesBefore);
        break;
    case Fault::DeviceFullAtOpening:
        // Opening the year made its empty file; the failed store left it empty, not half
        // written, and nothing else beside it.
        QCOMPARE(QFileInfo(path).size(), 0);
        QCOMPARE(folderEntries(folder.path()),
                 entriesBefore + QStringList{QFileInfo(path).fileName()});
        break;
    }
}

enum class Unstorable { Colon, Bar, UnreadableFile, ReadOnlyFile, ReadOnlyFolder };

void TestYearFaults::unstorableYearSaysSoBeforeTyping_data()
{
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("warning");
    QTest::newRow("codice fiscale AB:CD") << int(Unstorable::Colon) << kUnusableName;
    QTest::newRow("codice fiscale |") << int(Unstorable::Bar) << kUnusableName;
    QTest::newRow("year file that cannot be read")
        << int(Unstorable::UnreadableFile) << kUnreadable;
    QTest::newRow("read-only year file") << int(Unstorable::ReadOnlyFile) << kReadOnly;
    QTest::newRow("program folder that takes no new file")
        << int(Unstorable::ReadOnlyFolder) << kNoNewFile;
}

// Opened twice: the first time only looked at and left, which is said once, on opening; the
// second time a day is applied, which says at once that it is not stored, and the calendar
// left, which says once more that the day is lost.
// The warning is up while the calendar is on screen and no day has been entered yet.
void TestYearFaults::unstorableYearSaysSoBeforeTyping()
{
    QFETCH(int, cause);
    QFETCH(QString, warning);
    TempProgramFolder folder;
    openToAll(folder.path());
    QString codFisc = kCodFisc;
    if (Unstorable(cause) == Unstorable::Colon)
        codFisc = QStringLiteral("AB:CD");
    else if (Unstorable(cause) == Unstorable::Bar)
        codFisc = QStringLiteral("|");
    QVERIFY(writeAll(
        registryFilePath(),
        cardBytes({makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"),
                            QStringLiteral("333 1234567"), codFisc, QStringLiteral("Autista"))})));
    openToAll(registryFilePath());
    const QString path = YearFileName(codFisc, QStringLiteral("2024"));
    PresenzeRecord stored;
    stored.setText(DaySlot(3, 15), QStringLiteral("Giorno registrato"));
    if (Unstorable(cause) == Unstorable::UnreadableFile
        || Unstorable(cause) == Unstorable::ReadOnlyFile) {
        QVERIFY(writeAll(path, stored.bytes()));
        setMode(path, Unstorable(cause) == Unstorable::UnreadableFile ? 0 : 0444);
    }
    const QStringList entriesBefore = folderEntries(folder.path());

    MessageRecorder messages;
    bool visibleAtTheWarning = false;
    bool emptyAtTheWarning = false;
    RegisterScreens s;
    messages.onShow([&](const ShownMessage&) {
        if (messages.count() == 1) {
            visibleAtTheWarning = s.calendar->isVisible();
            emptyAtTheWarning = s.calendar->year().text(DaySlot(3, 16)).isEmpty();
        }
    });
    if (Unstorable(cause) == Unstorable::ReadOnlyFolder)
        setMode(folder.path(), 0555);
    {
        AsOrdinaryUser user;
        s.openCalendar(0, QStringLiteral("2024"));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().kind, MessageKind::Warning);
        QCOMPARE(messages.last().text, warning);
        QVERIFY(visibleAtTheWarning);
        QVERIFY(emptyAtTheWarning);
        // Usable for looking: the stored days where they can be read, the summary opens.
        QVERIFY(s.calendar->isVisible());
        QCOMPARE(s.calendar->year().text(DaySlot(3, 15)),
                 Unstorable(cause) == Unstorable::ReadOnlyFile ? QStringLiteral("Giorno registrato")
                                                               : QString());
        s.calendar->close();
        QCOMPARE(messages.count(), 1);

        s.openCalendar(0, QStringLiteral("2024"));
        QCOMPARE(messages.count(), 2);
        QCOMPARE(messages.last().text, warning);
        typeAndApply(s.calendar, DaySlot(3, 16), QStringLiteral("Giorno nuovo"));
        QCOMPARE(messages.count(), 3);
        QCOMPARE(messages.last().text, kLeftUnstored);
        s.calendar->close();
        QVERIFY(s.avvio->isVisible());
    }
    setMode(folder.path(), 0777);
    QCOMPARE(messages.count(), 4);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QCOMPARE(messages.last().text, kLeftUnstored);

    // Nothing was written: the folder holds what it held.
    QCOMPARE(folderEntries(folder.path()), entriesBefore);
    if (Unstorable(cause) == Unstorable::UnreadableFile
        || Unstorable(cause) == Unstorable::ReadOnlyFile) {
        setMode(path, 0644);
        QCOMPARE(readAll(path), stored.bytes());
    }
}

// A year file with a second record: a save that fails keeps both records whole, and the next
// save that succeeds changes the first record only.
void TestYearFaults::laterRecordsSurviveAFailedSave()
{
    TempProgramFolder folder;
    const QString path = YearFileName(kCodFisc, QStringLiteral("2023"));
    PresenzeRecord first;
    first.setText(10, QStringLiteral("Primo"));
    const QByteArray second(PresenzeRecord::kSize, 'z');
    const QByteArray stored = first.bytes() + second + QByteArray("coda");
    QVERIFY(writeAll(path, stored));

    QStringList texts = LoadYear(path);
    texts[11] = QStringLiteral("Secondo");
    {
        FileSizeLimit limit(PresenzeRecord::kSize / 2);
        QVERIFY(!SaveYear(path, texts));
    }
    QCOMPARE(readAll(path), stored);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);

    QVERIFY(SaveYear(path, texts));
    const QByteArray saved = readAll(path);
    QCOMPARE(saved.size(), stored.size());
    QCOMPARE(saved.mid(PresenzeRecord::kSize), stored.mid(PresenzeRecord::kSize));
    QCOMPARE(PresenzeRecord(saved).text(11), QStringLiteral("Secondo"));
    QCOMPARE(PresenzeRecord(saved).text(10), QStringLiteral("Primo"));
}

// A program folder that takes no new file, with a year file that may be written: the year is
// stored in place, the days entered are kept and nothing is made beside it.
void TestYearFaults::savedInPlaceWhenTheFolderTakesNoNewFile()
{
    TempProgramFolder folder;
    const QString path = YearFileName(kCodFisc, QStringLiteral("2022"));
    PresenzeRecord stored;
    stored.setText(0, QStringLiteral("Primo giorno"));
    const QByteArray second(PresenzeRecord::kSize, 's');
    QVERIFY(writeAll(path, stored.bytes() + second));
    openToAll(folder.path());
    openToAll(path);
    setMode(folder.path(), 0555);
    QStringList texts;
    bool saved = false;
    {
        AsOrdinaryUser user;
        bool loaded = false;
        texts = LoadYear(path, &loaded);
        QVERIFY(loaded);
        texts[1] = QStringLiteral("Secondo giorno");
        saved = SaveYear(path, texts);
    }
    setMode(folder.path(), 0777);
    QVERIFY(saved);
    const QByteArray after = readAll(path);
    QCOMPARE(after.size(), 2 * PresenzeRecord::kSize);
    QCOMPARE(after.mid(PresenzeRecord::kSize), second);
    QCOMPARE(PresenzeRecord(after).text(0), QStringLiteral("Primo giorno"));
    QCOMPARE(PresenzeRecord(after).text(1), QStringLiteral("Secondo giorno"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

QTEST_MAIN(TestYearFaults)
#include "tst_yearfaults.moc"
