// Counted text fields, record files and the registry card layout, checked on the bytes.

#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "core/storage/disk.h"
#include "core/storage/fixedtext.h"
#include "core/storage/recordfile.h"
#include "core/storage/safefile.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <QtTest/QtTest>

#include <cerrno>
#include <functional>
#include <optional>

namespace {

// The real disk, except that one kind of step fails with a given error the first time it
// concerns a file whose name ends in a given text; it writes down the steps it sees.
class FaultyDisk : public Disk {
public:
    enum Step { Create, Write, Sync, Rename, Remove, SyncFolder };
    FaultyDisk(Step failing, const QString& nameEnd, int error)
        : m_failing(failing), m_nameEnd(nameEnd), m_error(error)
    {
        setDiskForTests(this);
    }
    ~FaultyDisk() override { setDiskForTests(nullptr); }

    QStringList seen; // "sync Anagrafica.pro", "rename .dati.bin.nuovo dati.bin", ...
    bool failed = false;

    int create(const QString& path, int* fd) override
    {
        return pass(Create, QStringLiteral("create"), path, [&] { return Disk::create(path, fd); });
    }
    int write(const QString& path, int fd, qint64 offset, const char* data, qint64 size) override
    {
        return pass(Write, QStringLiteral("write"), path,
                    [&] { return Disk::write(path, fd, offset, data, size); });
    }
    int sync(const QString& path, int fd) override
    {
        return pass(Sync, QStringLiteral("sync"), path, [&] { return Disk::sync(path, fd); });
    }
    int rename(const QString& from, const QString& to) override
    {
        return pass(Rename, QStringLiteral("rename ") + QFileInfo(from).fileName(), to,
                    [&] { return Disk::rename(from, to); });
    }
    int remove(const QString& path) override
    {
        return pass(Remove, QStringLiteral("remove"), path, [&] { return Disk::remove(path); });
    }
    int syncFolder(const QString& folder) override
    {
        seen << QStringLiteral("sync folder");
        if (m_failing == SyncFolder && !failed) {
            failed = true;
            return m_error;
        }
        return Disk::syncFolder(folder);
    }

private:
    int pass(Step step, const QString& what, const QString& path, const std::function<int()>& real)
    {
        const QString name = QFileInfo(path).fileName();
        seen << what + QLatin1Char(' ') + name;
        if (step == m_failing && !failed && name.endsWith(m_nameEnd)) {
            failed = true;
            return m_error;
        }
        return real();
    }

    Step m_failing;
    QString m_nameEnd;
    int m_error;
};

QStringList yearOf(const QString& word)
{
    QStringList texts(kDaysPerYear);
    texts[0] = word;
    texts[365] = word;
    return texts;
}

} // namespace

class TestStorage : public QObject {
    Q_OBJECT

private slots:
    void windows1252RoundTrip_data();
    void windows1252RoundTrip();
    void windows1252EveryByteReadsBack();
    void textRules();
    void fixedTextStoreAndRead();
    void fixedTextClampsDamagedLength();
    void recordLayout();
    void recordFieldsTrimCutAndClearTheRest();
    void ricontattaBytes();
    void countWithTrailingPartAndAppendOffset();
    void openOrCreateMissingFile();
    void openFailsWithoutTouchingFile();
    void writePastEndLeavesNoGap();
    void readPastEndFails();
    void scanBlocksReadsEveryRecordInOrder();
    void scanBlocksStopsAndFails();
    void mayWriteAnswersAsAnOpenForWriting_data();
    void mayWriteAnswersAsAnOpenForWriting();
    void mayWriteRefusesAnImmutableFile();
    void accessFailureMessage();
    void wholeFileWritten_data();
    void wholeFileWritten();
    void flushedBeforeReported();
    void failedStepIsFailedWrite_data();
    void failedStepIsFailedWrite();
};

void TestStorage::windows1252RoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    QTest::newRow("ascii") << "Rossi" << QByteArray("Rossi") << "Rossi";
    QTest::newRow("accented") << QString::fromUtf8("Sì àèé") << QByteArray("S\xEC \xE0\xE8\xE9")
                              << QString::fromUtf8("Sì àèé");
    QTest::newRow("euro and quotes")
        << QString::fromUtf8("€ “x” …") << QByteArray("\x80 \x93x\x94 \x85")
        << QString::fromUtf8("€ “x” …");
    QTest::newRow("outside the set") << QString::fromUtf8("Łódź")
                                     << QByteArray("?\xF3"
                                                   "d?")
                                     << QString::fromUtf8("?ód?");
    QTest::newRow("outside the BMP is one ?")
        << QString::fromUtf8("a😀b") << QByteArray("a?b") << "a?b";
}

void TestStorage::windows1252RoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QCOMPARE(toWindows1252(text), bytes);
    QCOMPARE(fromWindows1252(bytes), readBack);
}

void TestStorage::windows1252EveryByteReadsBack()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(toWindows1252(fromWindows1252(all)), all);
}

void TestStorage::textRules()
{
    QCOMPARE(trimText(QStringLiteral("\t\r\n  Rossi \x01 ")), QStringLiteral("Rossi"));
    QCOMPARE(trimText(QString::fromUtf8("\u00A0x\u00A0")), QString::fromUtf8("\u00A0x\u00A0"));
    QCOMPARE(trimText(QStringLiteral("   ")), QString());
    QCOMPARE(upperAZ(QString::fromUtf8("àbc Zeta é")), QString::fromUtf8("àBC ZETA é"));
    QCOMPARE(lowerAZ(QString::fromUtf8("ÀBC zeta É")), QString::fromUtf8("Àbc zeta É"));
}

void TestStorage::fixedTextStoreAndRead()
{
    QByteArray field(11, 'x');
    QCOMPARE(FixedText::store(field.data(), 10, QStringLiteral("Verdi")), 5);
    QCOMPARE(field, QByteArray("\x05Verdi\0\0\0\0\0", 11));
    QCOMPARE(FixedText::read(field.constData(), 10), QStringLiteral("Verdi"));
    // Neither trims nor pads.
    FixedText::store(field.data(), 10, QStringLiteral(" a "));
    QCOMPARE(FixedText::read(field.constData(), 10), QStringLiteral(" a "));
    // Cut at the capacity.
    FixedText::store(field.data(), 10, QStringLiteral("abcdefghijklmno"));
    QCOMPARE(field, QByteArray("\x0A"
                               "abcdefghij"));
}

void TestStorage::fixedTextClampsDamagedLength()
{
    // A length byte of 255 in a field of 3 must never read the next field.
    const QByteArray bytes("\xFF"
                           "abcNEXT",
                           8);
    QCOMPARE(FixedText::read(bytes.constData(), 3), QStringLiteral("abc"));
}

void TestStorage::recordLayout()
{
    struct Row {
        AnagraficaField field;
        int offset;
        int capacity;
    };
    using F = AnagraficaField;
    const Row rows[] = {
        {F::Cognome, 0, 50},       {F::Nome, 51, 50},         {F::Ditta, 102, 50},
        {F::Sesso, 153, 1},        {F::Recapito, 155, 50},    {F::IndirizzoRes, 206, 50},
        {F::ProvRes, 257, 2},      {F::ComuneRes, 260, 50},   {F::CapRes, 311, 5},
        {F::DataNasc, 317, 30},    {F::ComuneNasc, 348, 50},  {F::ProvNasc, 399, 2},
        {F::TelCasa, 402, 30},     {F::TelUff, 433, 30},      {F::TelCel, 464, 30},
        {F::Pec, 495, 60},         {F::Email, 556, 50},       {F::CodFisc, 607, 16},
        {F::Carta, 624, 30},       {F::ScadeCarta, 655, 30},  {F::PartitaIva, 686, 11},
        {F::Iban, 698, 27},        {F::TipoPat, 726, 30},     {F::NumPat, 757, 50},
        {F::EnteRil, 808, 50},     {F::DataRil, 859, 10},     {F::DataSca, 870, 10},
        {F::Conducente, 881, 250}, {F::Questioni, 1132, 250}, {F::Note, 1383, 250},
        {F::CodiceDest, 1634, 7},  {F::Ricontatta, 1642, 2},  {F::File01, 1645, 250},
        {F::File02, 1896, 250},    {F::File03, 2147, 250},    {F::Desc01, 2398, 250},
        {F::Desc02, 2649, 250},    {F::Desc03, 2900, 250},
    };
    QCOMPARE(int(std::size(rows)), AnagraficaRecord::kFieldCount);
    for (const Row& row : rows) {
        const auto& info = AnagraficaRecord::info(row.field);
        QCOMPARE(info.offset, row.offset);
        QCOMPARE(info.capacity, row.capacity);
        // Each field's value lands right after its length byte.
        AnagraficaRecord record;
        record.set(row.field, QStringLiteral("Z"));
        QCOMPARE(record.bytes().at(row.offset), char(1));
        QCOMPARE(record.bytes().at(row.offset + 1), 'Z');
        QCOMPARE(record.bytes().count('\0'), AnagraficaRecord::kSize - 2);
    }
    QCOMPARE(AnagraficaRecord().bytes().size(), 3151);
    QCOMPARE(QString::fromLatin1(AnagraficaRecord::info(F::Desc03).name), QStringLiteral("Desc03"));
}

void TestStorage::recordFieldsTrimCutAndClearTheRest()
{
    AnagraficaRecord record;
    record.set(AnagraficaField::Cognome, QStringLiteral("  Rossi  "));
    QCOMPARE(record.bytes().mid(0, 6), QByteArray("\x05Rossi"));

    record.set(AnagraficaField::Cognome, QStringLiteral("Bianchi"));
    record.set(AnagraficaField::Cognome, QStringLiteral("Bia"));
    QCOMPARE(record.bytes().mid(0, 51), QByteArray("\x03"
                                                   "Bia")
                                            + QByteArray(47, '\0'));
    QCOMPARE(record.get(AnagraficaField::Cognome), QStringLiteral("Bia"));

    record.set(AnagraficaField::Nome, QString(60, QLatin1Char('n')));
    QCOMPARE(record.get(AnagraficaField::Nome), QString(50, QLatin1Char('n')));
    QCOMPARE(int(static_cast<unsigned char>(record.bytes().at(51))), 50);
    QCOMPARE(record.bytes().at(102), char(0)); // the next field is untouched

    record.set(AnagraficaField::Note, QString::fromUtf8("prezzo ₽ 10"));
    QCOMPARE(record.get(AnagraficaField::Note), QStringLiteral("prezzo ? 10"));
}

void TestStorage::ricontattaBytes()
{
    AnagraficaRecord record;
    record.set(AnagraficaField::Ricontatta, AnagraficaRecord::ricontattaText(true));
    QCOMPARE(record.bytes().mid(1642, 3), QByteArray("\x02\x53\xEC"));
    QCOMPARE(record.get(AnagraficaField::Ricontatta), QString::fromUtf8("Sì"));
    record.set(AnagraficaField::Ricontatta, AnagraficaRecord::ricontattaText(false));
    QCOMPARE(record.bytes().mid(1642, 3), QByteArray("\x02No"));
}

void TestStorage::countWithTrailingPartAndAppendOffset()
{
    TempProgramFolder folder;
    const QString path = registryFilePath();
    QVERIFY(writeAll(path, QByteArray(3151 * 3 + 100, 'a')));
    RecordFile file(path, AnagraficaRecord::kSize);
    QVERIFY(file.openOrCreate());
    QCOMPARE(file.count(), 3);
    QVERIFY(file.seek(file.count()));
    AnagraficaRecord card;
    card.set(AnagraficaField::Cognome, QStringLiteral("Neri"));
    QVERIFY(file.write(card.bytes()));
    QCOMPARE(file.position(), 4);
    QVERIFY(file.close());
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 12604);
    QCOMPARE(bytes.mid(9453, 5), QByteArray("\x04Neri"));

    // Reading back in order, then past the end.
    RecordFile again(path, AnagraficaRecord::kSize);
    QVERIFY(again.openOrCreate());
    QVERIFY(again.seek(3));
    QByteArray buffer;
    QVERIFY(again.read(buffer));
    QCOMPARE(AnagraficaRecord(buffer).get(AnagraficaField::Cognome), QStringLiteral("Neri"));
    QVERIFY(again.atEnd());
}

void TestStorage::openOrCreateMissingFile()
{
    TempProgramFolder folder;
    const QString path = registryFilePath();
    QVERIFY(path.startsWith(folder.path()));
    {
        RecordFile file(path, AnagraficaRecord::kSize);
        QVERIFY(file.openOrCreate());
        QCOMPARE(file.count(), 0);
        QVERIFY(file.atEnd());
    }
    QVERIFY(QFile::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestStorage::openFailsWithoutTouchingFile()
{
    TempProgramFolder folder;
    // A folder where the file should be.
    QVERIFY(QDir().mkdir(folder.file(QStringLiteral("Anagrafica.pro"))));
    RecordFile onFolder(registryFilePath(), AnagraficaRecord::kSize);
    QVERIFY(!onFolder.openOrCreate());
    QVERIFY(!onFolder.errorString().isEmpty());
    QDir().rmdir(folder.file(QStringLiteral("Anagrafica.pro")));

    // A read-only file and a read-only folder.
    const QByteArray stored(3151, 'k');
    QVERIFY(writeAll(registryFilePath(), stored));
    openToAll(folder.path());
    setMode(registryFilePath(), 0444);
    {
        AsOrdinaryUser user;
        RecordFile readOnly(registryFilePath(), AnagraficaRecord::kSize);
        QVERIFY(!readOnly.openOrCreate());
        QVERIFY(readOnly.openReadOnly());
        QCOMPARE(readOnly.count(), 1);
    }
    QCOMPARE(readAll(registryFilePath()), stored);

    QFile::remove(registryFilePath());
    setMode(folder.path(), 0555);
    {
        AsOrdinaryUser user;
        RecordFile cannotCreate(registryFilePath(), AnagraficaRecord::kSize);
        QVERIFY(!cannotCreate.openOrCreate());
    }
    openToAll(folder.path());
    QVERIFY(!QFile::exists(registryFilePath()));

    // A missing file is never created by a read-only open.
    RecordFile missing(registryFilePath(), AnagraficaRecord::kSize);
    QVERIFY(!missing.openReadOnly());
    QVERIFY(!QFile::exists(registryFilePath()));
}

void TestStorage::mayWriteAnswersAsAnOpenForWriting_data()
{
    QTest::addColumn<int>("mode"); // -1 for no file
    QTest::addColumn<bool>("ordinaryUser");
    QTest::addColumn<int>("answer");
    const bool root = ::geteuid() == 0;
    QTest::newRow("writable file") << 0666 << true << 0;
    QTest::newRow("read-only file") << 0444 << true << EACCES;
    QTest::newRow("no file") << -1 << true << ENOENT;
    // The process's own rights: root writes a read-only file, as an open for writing does.
    QTest::newRow("read-only file, own rights") << 0444 << false << (root ? 0 : EACCES);
}

// The probe gives the answer an open for writing gives, for the same user, and makes no file.
void TestStorage::mayWriteAnswersAsAnOpenForWriting()
{
    QFETCH(int, mode);
    QFETCH(bool, ordinaryUser);
    QFETCH(int, answer);
    TempProgramFolder folder;
    openToAll(folder.path());
    const QString path = folder.file(QStringLiteral("dati.bin"));
    if (mode >= 0) {
        QVERIFY(writeAll(path, "dati"));
        setMode(path, mode);
    }
    int probe = -1;
    bool opened = false;
    {
        std::optional<AsOrdinaryUser> user;
        if (ordinaryUser)
            user.emplace();
        probe = disk().mayWrite(path);
        QFile file(path);
        opened = file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
    }
    QCOMPARE(probe, answer);
    QCOMPARE(probe == 0, opened);
    QCOMPARE(QFileInfo::exists(path), mode >= 0);
}

// An immutable file refuses every user, root too, whatever its permission bits say.
void TestStorage::mayWriteRefusesAnImmutableFile()
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("dati.bin"));
    QVERIFY(writeAll(path, "dati"));
    setMode(path, 0666);
    if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0)
        QSKIP("this file system or user cannot make a file immutable");
    const int probe = disk().mayWrite(path);
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly);
    file.close();
    QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
    QCOMPARE(probe, EPERM);
    QVERIFY(!opened);
}

void TestStorage::writePastEndLeavesNoGap()
{
    TempProgramFolder folder;
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    QVERIFY(file.openOrCreate());
    QVERIFY(file.seek(2));
    QVERIFY(!file.write(AnagraficaRecord().bytes()));
    QVERIFY(!file.write(QByteArray(10, 'x'))); // not one record
    file.close();
    QCOMPARE(QFileInfo(registryFilePath()).size(), 0);
}

void TestStorage::readPastEndFails()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), QByteArray(3150, 'a'))); // one byte short
    RecordFile file(registryFilePath(), AnagraficaRecord::kSize);
    QVERIFY(file.openOrCreate());
    QCOMPARE(file.count(), 0);
    QByteArray buffer;
    QVERIFY(!file.read(buffer));
}

namespace {

// A file of records of 1,000 bytes, record i filled with the byte i % 251 and its number at
// its start: about 262 records to a block read at once.
QString writeNumberedRecords(const QString& path, int records)
{
    QByteArray bytes;
    for (int i = 0; i < records; ++i) {
        QByteArray record(1000, char(i % 251));
        const QByteArray number = QByteArray::number(i).rightJustified(8, '0');
        record.replace(0, number.size(), number);
        bytes += record;
    }
    return writeAll(path, bytes) ? path : QString();
}

} // namespace

void TestStorage::scanBlocksReadsEveryRecordInOrder()
{
    // From the start and from a later position; small files, one block and many; the blocks
    // handed over while the next ones are read are each whole and in file order.
    TempProgramFolder folder;
    for (const int records : {0, 1, 261, 262, 263, 3000}) {
        for (const int from : {0, 7}) {
            const QString path =
                writeNumberedRecords(folder.file(QStringLiteral("n.dat")), records);
            QVERIFY(!path.isEmpty());
            RecordFile file(path, 1000);
            QVERIFY(file.openReadOnly());
            QVERIFY(file.seek(from));
            int next = from;
            bool inOrder = true;
            QVERIFY(file.scanBlocks([&](const char* block, qint64 count) {
                for (qint64 k = 0; k < count; ++k, ++next) {
                    const char* record = block + k * 1000;
                    inOrder =
                        inOrder
                        && QByteArray(record, 8) == QByteArray::number(next).rightJustified(8, '0')
                        && record[999] == char(next % 251);
                }
                return true;
            }));
            QVERIFY2(inOrder, qPrintable(QStringLiteral("%1 from %2").arg(records).arg(from)));
            QCOMPARE(next, std::max(records, from));
            QCOMPARE(file.position(), qint64(std::max(records, from)));
        }
    }
}

void TestStorage::scanBlocksStopsAndFails()
{
    TempProgramFolder folder;
    const QString path = writeNumberedRecords(folder.file(QStringLiteral("n.dat")), 6000);
    QVERIFY(!path.isEmpty());
    {
        // Stopped after the first block: nothing more is handed over, and the scan says so.
        RecordFile file(path, 1000);
        QVERIFY(file.openReadOnly());
        int blocks = 0;
        QVERIFY(!file.scanBlocks([&](const char*, qint64) { return ++blocks < 1; }));
        QCOMPARE(blocks, 1);
    }
    {
        // The file cut short under the scan, past what was read ahead: a failure, never a
        // scan reported whole with records missing.
        RecordFile file(path, 1000);
        QVERIFY(file.openReadOnly());
        qint64 seen = 0;
        const bool whole = file.scanBlocks([&](const char*, qint64 count) {
            if (seen == 0)
                QFile::resize(path, qint64{1000} * 3000);
            seen += count;
            return true;
        });
        QVERIFY(!whole);
        QVERIFY(seen < 6000);
    }
}

void TestStorage::accessFailureMessage()
{
    QVERIFY(kAccessFailureMessage.contains(QStringLiteral("all'archivio.\n\r\n\rAccertarsi")));
    QVERIFY(kAccessFailureMessage.startsWith(QStringLiteral("Attenzione: il sistema")));
    QVERIFY(kAccessFailureMessage.endsWith(QStringLiteral("installazione del programma.")));
}

void TestStorage::wholeFileWritten_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<bool>("written");
    QTest::newRow("new file") << "missing" << true;
    QTest::newRow("replaces a longer file") << "longer" << true;
    QTest::newRow("disk full halfway") << "full" << false;
    QTest::newRow("read-only folder") << "read-only" << false;
    QTest::newRow("a folder in the file's place") << "folder" << false;
}

// The file is replaced whole or not at all, and nothing else is left in its folder.
void TestStorage::wholeFileWritten()
{
    QFETCH(QString, situation);
    QFETCH(bool, written);
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("dati.bin"));
    const QByteArray old(5000, 'o');
    const QByteArray fresh(3000, 'n');
    if (situation == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(path));
    else if (situation != QLatin1String("missing"))
        QVERIFY(writeAll(path, old));

    WriteResult ok;
    if (situation == QLatin1String("full")) {
        FileSizeLimit limit(1000);
        ok = writeWholeFile(path, fresh);
    } else if (situation == QLatin1String("read-only")) {
        openToAll(folder.path());
        setMode(folder.path(), 0555);
        {
            AsOrdinaryUser user;
            ok = writeWholeFile(path, fresh);
        }
        setMode(folder.path(), 0777);
    } else {
        ok = writeWholeFile(path, fresh);
    }

    QCOMPARE(ok.ok(), written);
    QCOMPARE(ok.error().isEmpty(), written);
    if (situation == QLatin1String("folder"))
        QVERIFY(QFileInfo(path).isDir());
    else
        QCOMPARE(readAll(path), written ? fresh : old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("dati.bin")});
}

// A whole-file write reaches the disk before it takes the file's name, and the name reaches the
// disk before the write reports success; a card write journals first and flushes the card.
void TestStorage::flushedBeforeReported()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(folder.file(QStringLiteral("dati.bin")), "vecchio"));
    QVERIFY(writeAll(registryFilePath(), AnagraficaRecord().bytes()));
    FaultyDisk recorder(FaultyDisk::Create, QStringLiteral("no such file"), 0);
    QVERIFY(writeWholeFile(folder.file(QStringLiteral("dati.bin")), "nuovo"));
    QCOMPARE(recorder.seen, QStringList({QStringLiteral("create .dati.bin.nuovo"),
                                         QStringLiteral("write .dati.bin.nuovo"),
                                         QStringLiteral("sync .dati.bin.nuovo"),
                                         QStringLiteral("rename .dati.bin.nuovo dati.bin"),
                                         QStringLiteral("sync folder")}));
    recorder.seen.clear();
    AnagraficaRecord card;
    card.set(AnagraficaField::Cognome, QStringLiteral("Neri"));
    QCOMPARE(Registry().save(0, AnagraficaRecord(), card), Registry::SaveOutcome::Saved);
    QCOMPARE(
        recorder.seen,
        QStringList({QStringLiteral("create Anagrafica.journal"),
                     QStringLiteral("write Anagrafica.journal"),
                     QStringLiteral("sync Anagrafica.journal"), QStringLiteral("sync folder"),
                     QStringLiteral("write Anagrafica.pro"), QStringLiteral("sync Anagrafica.pro"),
                     QStringLiteral("remove Anagrafica.journal"), QStringLiteral("sync folder")}));
}

void TestStorage::failedStepIsFailedWrite_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("nameEnd");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("mayBeNew"); // the new content may be in place, though not reported
    const int full = ENOSPC;
    const int io = EIO;
    QTest::newRow("whole file: no room for the file beside")
        << "file" << int(FaultyDisk::Create) << ".nuovo" << full << false;
    QTest::newRow("whole file: disk full")
        << "file" << int(FaultyDisk::Write) << ".nuovo" << full << false;
    QTest::newRow("whole file: flush fails")
        << "file" << int(FaultyDisk::Sync) << ".nuovo" << io << false;
    QTest::newRow("whole file: rename fails")
        << "file" << int(FaultyDisk::Rename) << "dati.bin" << io << false;
    QTest::newRow("whole file: folder flush fails")
        << "file" << int(FaultyDisk::SyncFolder) << "" << io << true;
    QTest::newRow("year: disk full")
        << "year" << int(FaultyDisk::Write) << ".nuovo" << full << false;
    QTest::newRow("year: flush fails")
        << "year" << int(FaultyDisk::Sync) << ".nuovo" << io << false;
    QTest::newRow("card: journal cannot be made")
        << "card" << int(FaultyDisk::Create) << ".journal" << full << false;
    QTest::newRow("card: journal flush fails")
        << "card" << int(FaultyDisk::Sync) << ".journal" << io << false;
    QTest::newRow("card: registry full")
        << "card" << int(FaultyDisk::Write) << ".pro" << full << false;
    QTest::newRow("card: registry flush fails")
        << "card" << int(FaultyDisk::Sync) << ".pro" << io << false;
    QTest::newRow("card: journal not removed")
        << "card" << int(FaultyDisk::Remove) << ".journal" << io << false;
    QTest::newRow("new card: registry flush fails")
        << "append" << int(FaultyDisk::Sync) << ".pro" << io << false;
    QTest::newRow("new card: registry full")
        << "append" << int(FaultyDisk::Write) << ".pro" << full << false;
}

// Any step that fails, a flush too, makes the whole write fail with its reason, and the file
// keeps what it held (a card write is rolled back at once); nothing is left beside it.
void TestStorage::failedStepIsFailedWrite()
{
    QFETCH(QString, what);
    QFETCH(int, step);
    QFETCH(QString, nameEnd);
    QFETCH(int, error);
    QFETCH(bool, mayBeNew);
    TempProgramFolder folder;
    AnagraficaRecord stored;
    stored.set(AnagraficaField::Cognome, QStringLiteral("Rossi"));
    AnagraficaRecord changed;
    changed.set(AnagraficaField::Cognome, QStringLiteral("Bianchi"));
    const QString year = YearFileName(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("2026"));
    QVERIFY(SaveYear(year, yearOf(QStringLiteral("vecchio"))));
    QString path = registryFilePath();
    if (what == QLatin1String("file")) {
        path = folder.file(QStringLiteral("dati.bin"));
        QVERIFY(writeAll(path, QByteArray(5000, 'o')));
    } else if (what == QLatin1String("year")) {
        path = year;
    } else {
        QVERIFY(writeAll(path, stored.bytes()));
    }
    const QStringList before =
        QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    const QByteArray old = readAll(path);

    bool written = true;
    QString reason;
    {
        FaultyDisk faulty(FaultyDisk::Step(step), nameEnd, error);
        if (what == QLatin1String("file")) {
            const WriteResult result = writeWholeFile(path, QByteArray(3000, 'n'));
            written = result.ok();
            reason = result.error();
            if (!mayBeNew)
                QVERIFY2(reason.contains(diskErrorText(error)), qPrintable(reason));
        } else if (what == QLatin1String("year")) {
            const WriteResult result = storeYear(path, yearOf(QStringLiteral("nuovo")));
            written = result.ok();
            reason = result.error();
            QVERIFY2(reason.contains(diskErrorText(error)), qPrintable(reason));
        } else if (what == QLatin1String("card")) {
            written = Registry().save(0, stored, changed) == Registry::SaveOutcome::Saved;
            reason = QStringLiteral("-");
        } else {
            written = Registry().append(changed).has_value();
            reason = QStringLiteral("-");
        }
        QVERIFY(faulty.failed);
    }
    QVERIFY(!written);
    QVERIFY(!reason.isEmpty());
    if (!mayBeNew)
        QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
}

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
