// The year file: numbering of days, file names, and the bytes LoadYear and SaveYear leave; the
// calendar's year model, which stores a year only over the file it read or stored itself.

#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/register/yearmodel.h"

#include <QDir>
#include <QtTest/QtTest>

class TestYearFile : public QObject {
    Q_OBJECT

private slots:
    void slotsAndKeys_data();
    void slotsAndKeys();
    void everySlotHasOneKey();
    void badKeysAndDates();
    void fileName();
    void loadingAMissingYearCreatesAnEmptyFile();
    void savedBytes();
    void recordsAfterTheFirstStayUntouched();
    void shortenedOrClearedDaysLeaveNoTrace();
    void shortFileLoadsEmptyAndIsReplacedWhole();
    void unreadableFileIsAFailedLoad();
    void unusableNamesTouchNothing_data();
    void unusableNamesTouchNothing();
    void modelStoresOnlyOverWhatItRead_data();
    void modelStoresOnlyOverWhatItRead();
    void modelOnAFullDevice();
};

void TestYearFile::slotsAndKeys_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("key");
    QTest::newRow("1 January") << 1 << 1 << 0 << "gen_01";
    QTest::newRow("9 January") << 1 << 9 << 8 << "gen_09";
    QTest::newRow("31 January") << 1 << 31 << 30 << "gen_31";
    QTest::newRow("29 February") << 2 << 29 << 59 << "feb_29";
    QTest::newRow("1 March") << 3 << 1 << 60 << "mar_01";
    QTest::newRow("27 June") << 6 << 27 << 178 << "giu_27";
    QTest::newRow("1 September") << 9 << 1 << 244 << "set_01";
    QTest::newRow("30 November") << 11 << 30 << 334 << "nov_30";
    QTest::newRow("31 December") << 12 << 31 << 365 << "dic_31";
}

void TestYearFile::slotsAndKeys()
{
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(int, slot);
    QFETCH(QString, key);
    QCOMPARE(DaySlot(month, day), slot);
    QCOMPARE(DayKey(slot), key);
    QCOMPARE(slotOfDayKey(key), slot);
    QCOMPARE(slotDate(slot).month, month);
    QCOMPARE(slotDate(slot).day, day);
}

void TestYearFile::everySlotHasOneKey()
{
    QSet<QString> keys;
    int next = 0;
    for (const MonthInfo& m : MonthTable()) {
        QCOMPARE(m.firstSlot, next);
        next += m.days;
    }
    QCOMPARE(next, kDaysPerYear);
    for (int s = 0; s < kDaysPerYear; ++s) {
        const QString key = DayKey(s);
        QCOMPARE(slotOfDayKey(key), s);
        keys.insert(key);
    }
    QCOMPARE(int(keys.size()), kDaysPerYear);
}

void TestYearFile::badKeysAndDates()
{
    for (const auto& [month, day] : {std::pair{2, 30},
                                     {2, 31},
                                     {4, 31},
                                     {6, 31},
                                     {9, 31},
                                     {11, 31},
                                     {1, 0},
                                     {1, 32},
                                     {0, 1},
                                     {13, 1}})
        QCOMPARE(DaySlot(month, day), -1);
    for (const char* key : {"GEN_01", "gen_1", "gen_001", " gen_01", "gen-01", "gen_32", "feb_30",
                            "apr_31", "xyz_01", "gen_\xd9\xa1\xd9\xa1", ""})
        QCOMPARE(slotOfDayKey(QString::fromUtf8(key)), -1);
    QCOMPARE(DayKey(-1), QString());
    QCOMPARE(DayKey(366), QString());
}

void TestYearFile::fileName()
{
    TempProgramFolder folder;
    QCOMPARE(YearFileName(QStringLiteral(" RSSMRA80A01H501U\t"), QStringLiteral(" 2024 ")),
             folder.file(QStringLiteral("Registro presenze RSSMRA80A01H501U anno 2024.vsr")));
    // No check and no change of case; a year of zeros is used as typed.
    QCOMPARE(YearFileName(QStringLiteral("rssmra"), QStringLiteral("0000")),
             folder.file(QStringLiteral("Registro presenze rssmra anno 0000.vsr")));
}

void TestYearFile::loadingAMissingYearCreatesAnEmptyFile()
{
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("2021"));
    bool ok = false;
    const QStringList texts = LoadYear(path, &ok);
    QVERIFY(ok);
    QCOMPARE(int(texts.size()), kDaysPerYear);
    QVERIFY(std::all_of(texts.begin(), texts.end(), [](const QString& t) { return t.isEmpty(); }));
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);

    // Saving the empty year writes one record whose 366 length bytes are all zero.
    QVERIFY(SaveYear(path, texts));
    QCOMPARE(readAll(path), QByteArray(PresenzeRecord::kSize, '\0'));
}

void TestYearFile::savedBytes()
{
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("X"), QStringLiteral("2023"));
    QStringList texts(kDaysPerYear);
    texts[0] = QStringLiteral("  Riunione di reparto \t");
    texts[59] = QStringLiteral("Inventario"); // 29 February, in a year without it
    texts[60] = QString::fromUtf8("Attività € esterna");
    texts[100] = QStringLiteral("   ");                                  // blanks only: absent
    texts[365] = QString(250, QLatin1Char('a')) + QStringLiteral("bcd"); // cut to 250 bytes
    QVERIFY(SaveYear(path, texts));

    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 91866);
    const auto field = [&](int slot) { return bytes.mid(251 * slot, 251); };
    QCOMPARE(field(0).left(1 + 19), QByteArray("\x13Riunione di reparto"));
    QCOMPARE(field(59).left(11), QByteArray("\x0AInventario"));
    QCOMPARE(field(60).left(19), QByteArray("\x12"
                                            "Attivit\xE0 \x80 esterna"));
    QCOMPARE(field(100).at(0), '\0');
    QCOMPARE(field(365), QByteArray(1, char(250)) + QByteArray(250, 'a'));
    for (int s = 0; s < kDaysPerYear; ++s) {
        if (s != 0 && s != 59 && s != 60 && s != 365)
            QVERIFY2(field(s).at(0) == '\0', qPrintable(DayKey(s)));
    }

    const QStringList back = LoadYear(path);
    QCOMPARE(back[0], QStringLiteral("Riunione di reparto"));
    QCOMPARE(back[59], QStringLiteral("Inventario"));
    QCOMPARE(back[60], QString::fromUtf8("Attività € esterna"));
    QCOMPARE(back[100], QString());
    QCOMPARE(back[365], QString(250, QLatin1Char('a')));
}

void TestYearFile::recordsAfterTheFirstStayUntouched()
{
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("X"), QStringLiteral("2024"));
    QByteArray second(PresenzeRecord::kSize, '\0');
    for (int i = 0; i < second.size(); ++i)
        second[i] = char(i * 7 + 3);
    QVERIFY(writeAll(path, QByteArray(PresenzeRecord::kSize, '\x01') + second));

    QStringList texts(kDaysPerYear);
    texts[5] = QStringLiteral("Corso");
    QVERIFY(SaveYear(path, texts));
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 2 * 91866);
    QCOMPARE(bytes.mid(91866), second);
    QCOMPARE(LoadYear(path)[5], QStringLiteral("Corso"));
}

// A year file whose day fields hold old text after their values (a day shortened, a day
// cleared, as an earlier writer left them): the record and the file written back hold zeros
// after every value.
void TestYearFile::shortenedOrClearedDaysLeaveNoTrace()
{
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("X"), QStringLiteral("2025"));
    QByteArray old(PresenzeRecord::kSize, '\0');
    const QByteArray trip = "Trasferta a Milano dal cliente";
    old.replace(PresenzeRecord::offsetOf(10), 1 + trip.size(), char(trip.size()) + trip);
    old.replace(PresenzeRecord::offsetOf(11), 1 + trip.size(), char(5) + trip); // "Trasf"
    old.replace(PresenzeRecord::offsetOf(12), 1 + trip.size(), char(0) + trip); // absent
    QVERIFY(writeAll(path, old));

    const auto clean = [&](const QByteArray& record) {
        for (int slot = 0; slot < kDaysPerYear; ++slot) {
            const QByteArray field = record.mid(PresenzeRecord::offsetOf(slot), 251);
            const int length = static_cast<unsigned char>(field.at(0));
            if (field.mid(1 + length) != QByteArray(250 - length, '\0'))
                return DayKey(slot);
        }
        return QString();
    };

    PresenzeRecord record{old};
    record.setText(10, QStringLiteral("Ferie"));
    record.setText(11, QStringLiteral("Trasf"));
    record.setText(12, QString());
    QCOMPARE(clean(record.bytes()), QString());

    QStringList texts = LoadYear(path);
    QCOMPARE(texts[10], QString::fromLatin1(trip));
    texts[10] = QStringLiteral("Ferie");
    QVERIFY(SaveYear(path, texts));
    const QByteArray saved = readAll(path);
    QCOMPARE(saved.size(), PresenzeRecord::kSize);
    QCOMPARE(clean(saved), QString());
    QVERIFY(!saved.contains("Milano"));
    QCOMPARE(LoadYear(path)[11], QStringLiteral("Trasf"));
}

void TestYearFile::shortFileLoadsEmptyAndIsReplacedWhole()
{
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("X"), QStringLiteral("2024"));
    QByteArray almost(PresenzeRecord::kSize - 1, '\0');
    almost.replace(0, 6,
                   QByteArray("\x05"
                              "Corso"));
    QVERIFY(writeAll(path, almost));

    bool ok = false;
    QCOMPARE(LoadYear(path, &ok)[0], QString());
    QVERIFY(ok);
    QVERIFY(SaveYear(path, QStringList(kDaysPerYear)));
    QCOMPARE(QFileInfo(path).size(), 91866);
}

void TestYearFile::unreadableFileIsAFailedLoad()
{
    TempProgramFolder folder;
    openToAll(folder.path());
    const QString path = YearFileName(QStringLiteral("X"), QStringLiteral("2024"));
    PresenzeRecord record;
    record.setText(3, QStringLiteral("Riunione"));
    QVERIFY(writeAll(path, record.bytes()));
    setMode(path, 0);
    {
        AsOrdinaryUser user;
        bool ok = true;
        const QStringList texts = LoadYear(path, &ok);
        QVERIFY(!ok);
        QCOMPARE(int(texts.size()), kDaysPerYear);
        QCOMPARE(texts[3], QString());
        QVERIFY(!SaveYear(path, texts));
    }
    setMode(path, 0644);
    QCOMPARE(readAll(path), record.bytes());
}

void TestYearFile::unusableNamesTouchNothing_data()
{
    QTest::addColumn<QString>("codiceFiscale");
    QTest::newRow("climbs out") << "AB/../../fuori";
    QTest::newRow("into a folder") << "AB/CD";
    QTest::newRow("backslash") << "AB\\CD";
    QTest::newRow("colon") << "AB:CD";
    QTest::newRow("wildcards") << "AB*?";
    QTest::newRow("quotes and brackets") << "A\"<B>|";
    QTest::newRow("control character") << QStringLiteral("AB\u0001CD");
}

void TestYearFile::unusableNamesTouchNothing()
{
    QFETCH(QString, codiceFiscale);
    // The program folder is one level inside an outer folder, so an escape would show there.
    QTemporaryDir outer;
    const QString program = outer.path() + QStringLiteral("/prog/");
    QVERIFY(QDir().mkpath(program));
    // The folder a climbing name passes through exists, so the escape would really work.
    QVERIFY(QDir().mkpath(program + QStringLiteral("Registro presenze AB")));
    setProgramFolderForTests(program);

    const QString path = YearFileName(codiceFiscale, QStringLiteral("2024"));
    QVERIFY(!isYearFilePathUsable(path));
    bool ok = true;
    QCOMPARE(int(LoadYear(path, &ok).size()), kDaysPerYear);
    QVERIFY(!ok);
    QStringList texts(kDaysPerYear);
    texts[0] = QStringLiteral("x");
    QVERIFY(!SaveYear(path, texts));

    QCOMPARE(QDir(outer.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("prog")});
    QCOMPARE(QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Registro presenze AB")});
    QVERIFY(QDir(program + QStringLiteral("Registro presenze AB")).isEmpty());
    setProgramFolderForTests(QString());
}

void TestYearFile::modelStoresOnlyOverWhatItRead_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("stored");
    QTest::newRow("nothing changed") << "none" << true;
    QTest::newRow("the same bytes written again") << "same" << true;
    QTest::newRow("a backup put back") << "backup" << false;
    QTest::newRow("another day stored by another copy") << "day" << false;
    QTest::newRow("a second record appended") << "append" << false;
    QTest::newRow("cut to nothing") << "empty" << false;
    QTest::newRow("removed") << "remove" << false;
}

// A year opened in the model is stored whole, and only while the file holds what the model read
// or last stored; otherwise nothing is written and the file stays as the other writer left it.
void TestYearFile::modelStoresOnlyOverWhatItRead()
{
    QFETCH(QString, change);
    QFETCH(bool, stored);
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("2024"));
    PresenzeRecord backup;
    backup.setText(3, QStringLiteral("Dal backup"));

    YearModel year;
    year.open(path);
    QVERIFY(year.storable());
    // A new year is stored at once as the record of 366 empty days, which loads as the empty
    // file does.
    QCOMPARE(readAll(path), PresenzeRecord().bytes());
    QVERIFY(year.setText(0, QStringLiteral(" Primo ")));
    QVERIFY(year.hasUnstoredDays());
    QCOMPARE(year.store(), YearModel::StoreOutcome::Stored);
    QVERIFY(!year.hasUnstoredDays());
    const QByteArray mine = readAll(path);
    QCOMPARE(PresenzeRecord(mine).text(0), QStringLiteral("Primo"));

    QByteArray now = mine;
    if (change == QLatin1String("same")) {
        QVERIFY(writeAll(path, mine));
    } else if (change == QLatin1String("backup")) {
        now = backup.bytes();
    } else if (change == QLatin1String("day")) {
        PresenzeRecord other(mine);
        other.setText(1, QStringLiteral("Altra copia"));
        now = other.bytes();
    } else if (change == QLatin1String("append")) {
        now = mine + QByteArray(PresenzeRecord::kSize, 'z');
    } else if (change == QLatin1String("empty")) {
        now = QByteArray();
    }
    if (change == QLatin1String("remove"))
        QVERIFY(QFile::remove(path));
    else if (change != QLatin1String("none") && change != QLatin1String("same"))
        QVERIFY(writeAll(path, now));

    QVERIFY(year.setText(2, QStringLiteral("Secondo")));
    const YearModel::StoreOutcome outcome = year.store();
    QCOMPARE(outcome == YearModel::StoreOutcome::Stored, stored);
    if (!stored) {
        QCOMPARE(outcome, YearModel::StoreOutcome::ChangedElsewhere);
        QVERIFY(year.hasUnstoredDays());
        QCOMPARE(QFileInfo::exists(path), change != QLatin1String("remove"));
        if (change != QLatin1String("remove"))
            QCOMPARE(readAll(path), now);
        // Opened again, the model reads the file as it is now and stores over it.
        year.open(path);
        QVERIFY(year.setText(2, QStringLiteral("Secondo")));
        QCOMPARE(year.store(), YearModel::StoreOutcome::Stored);
    }
    QCOMPARE(PresenzeRecord(readAll(path)).text(2), QStringLiteral("Secondo"));
}

// A device with no room: the year opened says it cannot be stored and leaves the new year's
// file empty; a year that fills the device later fails its store and keeps the file whole, and
// the next store, with room again, writes over the failed one.
void TestYearFile::modelOnAFullDevice()
{
    TempProgramFolder folder;
    const QString path = YearFileName(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("2024"));
    YearModel year;
    {
        FileSizeLimit full(1000);
        year.open(path);
    }
    QCOMPARE(year.problem(), YearProblem::NoRoom);
    QVERIFY(!year.storable());
    QCOMPARE(QFileInfo(path).size(), 0);
    QVERIFY(year.setText(0, QStringLiteral("Primo")));
    QCOMPARE(year.store(), YearModel::StoreOutcome::CannotBeStored);
    QCOMPARE(QFileInfo(path).size(), 0);

    year.open(path);
    QVERIFY(year.storable());
    QVERIFY(year.setText(0, QStringLiteral("Primo")));
    {
        FileSizeLimit full(1000);
        QCOMPARE(year.store(), YearModel::StoreOutcome::Failed);
    }
    QCOMPARE(readAll(path), PresenzeRecord().bytes());
    QCOMPARE(year.store(), YearModel::StoreOutcome::Stored);
    QCOMPARE(PresenzeRecord(readAll(path)).text(0), QStringLiteral("Primo"));
}

QTEST_GUILESS_MAIN(TestYearFile)
#include "tst_yearfile.moc"
