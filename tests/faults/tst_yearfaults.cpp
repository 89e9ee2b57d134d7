// The calendar's year file under the faults a disk can show: a year file that may not be
// written, a folder in its place, a program folder that takes no new file, a device that fills
// up while the year is stored. The calendar says nothing, as its rules have it, and never costs
// a stored day.

#include "register/register_support.h"

#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/registry/registry.h"
#include "ui/messages.h"

#include <QDir>
#include <QtTest/QtTest>

namespace {

const QString kCodFisc = QStringLiteral("RSSMRA80A01H501U");

enum class Fault {
    ReadOnlyYearFile,
    FolderInPlace,
    ReadOnlyProgramFolder,
    DeviceFullAtFirstSave,
    DeviceFullOverStoredYear,
};

QStringList folderEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
}

} // namespace

class TestYearFaults : public QObject {
    Q_OBJECT

private slots:
    void calendarKeepsStoredDays_data();
    void calendarKeepsStoredDays();
    void laterRecordsSurviveAFailedSave();
    void savedInPlaceWhenTheFolderTakesNoNewFile();
};

void TestYearFaults::calendarKeepsStoredDays_data()
{
    QTest::addColumn<int>("fault");
    QTest::newRow("read-only year file") << int(Fault::ReadOnlyYearFile);
    QTest::newRow("a folder where the year file should be") << int(Fault::FolderInPlace);
    QTest::newRow("read-only program folder, no year file yet") << int(Fault::ReadOnlyProgramFolder);
    QTest::newRow("device full at the first save") << int(Fault::DeviceFullAtFirstSave);
    QTest::newRow("device full over a stored year") << int(Fault::DeviceFullOverStoredYear);
}

// The person's calendar is opened, a day is entered and the calendar is left: whatever the
// fault, no message is shown and the year file holds what it held before, byte for byte.
void TestYearFaults::calendarKeepsStoredDays()
{
    QFETCH(int, fault);
    TempProgramFolder folder;
    openToAll(folder.path());
    QVERIFY(writeAll(registryFilePath(),
                     cardBytes({makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"),
                                         QStringLiteral("333 1234567"), kCodFisc,
                                         QStringLiteral("Autista"))})));
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
    case Fault::DeviceFullAtFirstSave:
        break;
    }
    const bool withStoredYear =
        Fault(fault) == Fault::ReadOnlyYearFile || Fault(fault) == Fault::DeviceFullOverStoredYear;
    if (withStoredYear)
        before = readAll(path);
    const QStringList entriesBefore = folderEntries(folder.path());

    MessageRecorder messages;
    {
        RegisterScreens s;
        if (Fault(fault) == Fault::ReadOnlyProgramFolder)
            setMode(folder.path(), 0555);
        {
            AsOrdinaryUser user;
            s.openCalendar(0, QStringLiteral("2024"));
            QVERIFY(s.calendar->isVisible());
            QVERIFY(s.calendar->setDay(QStringLiteral("gen_02"), QStringLiteral("Nuovo giorno")));
            if (Fault(fault) == Fault::DeviceFullOverStoredYear) {
                // The stored days were read: they are on screen and will be saved again.
                QCOMPARE(s.calendar->dayText(0), QStringLiteral("Inventario di inizio anno"));
                FileSizeLimit limit(1000);
                s.calendar->close();
            } else if (Fault(fault) == Fault::DeviceFullAtFirstSave) {
                FileSizeLimit limit(1000);
                s.calendar->close();
            } else {
                s.calendar->close();
            }
        }
        setMode(folder.path(), 0777);
        QVERIFY(!s.calendar->isVisible());
    }
    QCOMPARE(messages.count(), 0);

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
    case Fault::DeviceFullAtFirstSave:
        // Opening the year made its empty file; the failed save left it empty, not half
        // written, and nothing else beside it.
        QCOMPARE(QFileInfo(path).size(), 0);
        QCOMPARE(folderEntries(folder.path()), entriesBefore + QStringList{QFileInfo(path).fileName()});
        break;
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
