// Power cuts at every instant of a write. Each action runs once on the real disk through a
// recording Disk; then, for every point between two recorded steps, a model of the disk works
// out what a power cut there could leave: what was flushed survives, what was not may be lost,
// kept, or written in part (every other 512-byte sector), and folder entries not yet flushed
// may be lost in the order they were made. Each such state is laid out in a folder of its own,
// the program's recovery runs on it, and the file the action changed must then be wholly the
// old one or wholly the new one; once the action has reported success, the new one.
#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "core/storage/disk.h"
#include "core/storage/journal.h"
#include "core/storage/safefile.h"

#include <QDir>
#include <QMap>
#include <QtTest/QtTest>

#include <functional>

namespace {

struct Step {
    enum Kind { Create, Write, Truncate, Sync, Rename, Remove, SyncFolder };
    Step(Kind k, const QString& n) : kind(k), name(n) {}
    Kind kind;
    QString name; // the file's name in the folder
    QString to;   // Rename
    qint64 offset = 0;
    QByteArray bytes;
    qint64 size = 0; // Truncate
};

// Passes every step to the real disk and writes it down.
class RecordingDisk : public Disk {
public:
    QVector<Step> steps;

    int create(const QString& path, int* fd) override
    {
        return note(Disk::create(path, fd), {Step::Create, name(path)});
    }
    int write(const QString& path, int fd, qint64 offset, const char* data, qint64 size) override
    {
        Step step{Step::Write, name(path)};
        step.offset = offset;
        step.bytes = QByteArray(data, size);
        return note(Disk::write(path, fd, offset, data, size), step);
    }
    int truncate(const QString& path, int fd, qint64 size) override
    {
        Step step{Step::Truncate, name(path)};
        step.size = size;
        return note(Disk::truncate(path, fd, size), step);
    }
    int sync(const QString& path, int fd) override
    {
        return note(Disk::sync(path, fd), {Step::Sync, name(path)});
    }
    int rename(const QString& from, const QString& to) override
    {
        Step step{Step::Rename, name(from)};
        step.to = name(to);
        return note(Disk::rename(from, to), step);
    }
    int remove(const QString& path) override
    {
        return note(Disk::remove(path), {Step::Remove, name(path)});
    }
    int syncFolder(const QString& folder) override
    {
        return note(Disk::syncFolder(folder), {Step::SyncFolder, QString()});
    }

private:
    static QString name(const QString& path) { return QFileInfo(path).fileName(); }
    int note(int result, const Step& step)
    {
        if (result == 0) // a step that failed changed nothing
            steps.append(step);
        return result;
    }
};

using Files = QMap<QString, QByteArray>; // name -> content

Files snapshot(const QString& folder)
{
    Files files;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        files[name] = readAll(dir.filePath(name));
    return files;
}

void applyData(QByteArray& content, const Step& step, bool torn)
{
    if (step.kind == Step::Truncate) {
        content.resize(step.size, '\0');
        return;
    }
    const qint64 end = step.offset + step.bytes.size();
    if (content.size() < end)
        content.resize(end, '\0');
    for (qint64 at = 0; at < step.bytes.size(); at += 512) {
        if (torn && ((step.offset + at) / 512) % 2 == 1)
            continue;
        const qint64 n = qMin<qint64>(512, step.bytes.size() - at);
        std::memcpy(content.data() + step.offset + at, step.bytes.constData() + at, size_t(n));
    }
}

// The disk after the first steps of an action: what is flushed, and what waits.
class DiskModel {
public:
    explicit DiskModel(const Files& start)
    {
        for (auto it = start.begin(); it != start.end(); ++it) {
            m_durable.append(it.value());
            m_current.append(it.value());
            m_durableFolder[it.key()] = int(m_durable.size()) - 1;
        }
        m_folder = m_durableFolder;
    }

    void apply(const Step& step)
    {
        switch (step.kind) {
        case Step::Create:
            m_durable.append(QByteArray());
            m_current.append(QByteArray());
            m_folder[step.name] = int(m_durable.size()) - 1;
            m_pendingEntries.append({step, int(m_durable.size()) - 1});
            break;
        case Step::Write:
        case Step::Truncate: {
            const int file = m_folder.value(step.name, -1);
            QVERIFY2(file >= 0, qPrintable(step.name));
            applyData(m_current[file], step, false);
            m_pendingData.append({step, file});
            break;
        }
        case Step::Sync: {
            const int file = m_folder.value(step.name, -1);
            QVERIFY2(file >= 0, qPrintable(step.name));
            m_durable[file] = m_current[file];
            m_pendingData.erase(std::remove_if(m_pendingData.begin(), m_pendingData.end(),
                                               [file](const Pending& p) { return p.file == file; }),
                                m_pendingData.end());
            break;
        }
        case Step::Rename:
            m_folder[step.to] = m_folder.take(step.name);
            m_pendingEntries.append({step, -1});
            break;
        case Step::Remove:
            m_folder.remove(step.name);
            m_pendingEntries.append({step, -1});
            break;
        case Step::SyncFolder:
            m_durableFolder = m_folder;
            m_pendingEntries.clear();
            break;
        }
    }

    // Every state a power cut now could leave: the folder's entries with the first few of
    // those not yet flushed, each unflushed write lost, kept or torn.
    QVector<Files> crashStates() const
    {
        QVector<Files> states;
        const int waiting = int(m_pendingData.size());
        QVector<QVector<int>> choices; // per unflushed write: 0 lost, 1 kept, 2 torn
        if (waiting <= 5) {
            int combinations = 1;
            for (int i = 0; i < waiting; ++i)
                combinations *= 3;
            for (int c = 0; c < combinations; ++c) {
                QVector<int> choice;
                for (int i = 0, rest = c; i < waiting; ++i, rest /= 3)
                    choice.append(rest % 3);
                choices.append(choice);
            }
        } else {
            for (int all = 0; all < 3; ++all)
                choices.append(QVector<int>(waiting, all));
        }
        for (int entries = 0; entries <= int(m_pendingEntries.size()); ++entries) {
            QMap<QString, int> folder = m_durableFolder;
            for (int i = 0; i < entries; ++i) {
                const Step& step = m_pendingEntries.at(i).step;
                if (step.kind == Step::Create)
                    folder[step.name] = m_pendingEntries.at(i).file;
                else if (step.kind == Step::Rename && folder.contains(step.name))
                    folder[step.to] = folder.take(step.name);
                else if (step.kind == Step::Remove)
                    folder.remove(step.name);
            }
            for (const QVector<int>& choice : choices) {
                QVector<QByteArray> content = m_durable;
                for (int i = 0; i < waiting; ++i) {
                    if (choice.at(i) != 0)
                        applyData(content[m_pendingData.at(i).file], m_pendingData.at(i).step,
                                  choice.at(i) == 2);
                }
                Files state;
                for (auto it = folder.begin(); it != folder.end(); ++it)
                    state[it.key()] = content.at(it.value());
                states.append(state);
            }
        }
        return states;
    }

private:
    struct Pending {
        Step step;
        int file;
    };
    QVector<QByteArray> m_durable;
    QVector<QByteArray> m_current;
    QMap<QString, int> m_durableFolder;
    QMap<QString, int> m_folder;
    QVector<Pending> m_pendingEntries;
    QVector<Pending> m_pendingData;
};

// A card whose bytes differ from another's from its first to its last sector.
AnagraficaRecord card(const QString& surname)
{
    AnagraficaRecord record;
    for (const AnagraficaFieldInfo& field : AnagraficaRecord::fields())
        record.set(field.field, QString(field.capacity, surname.back()));
    record.set(AnagraficaField::Cognome, surname);
    return record;
}

QByteArray cards(const QStringList& surnames)
{
    QByteArray bytes;
    for (const QString& s : surnames)
        bytes += card(s).bytes();
    return bytes;
}

const QString kRegistry = QStringLiteral("Anagrafica.pro");
const QString kYear = QStringLiteral("Registro presenze RSSMRA80A01H501U anno 2026.vsr");

QStringList yearTexts(const QString& word)
{
    QStringList texts;
    for (int s = 0; s < kDaysPerYear; ++s)
        texts.append(s % 3 == 0 ? word + QString::number(s) : QString());
    return texts;
}

struct Scenario {
    const char* name;
    QString target;
    Files start;
    std::function<bool(const QString& folder)> action;
};

QVector<Scenario> scenarios()
{
    const QByteArray three =
        cards({QStringLiteral("ALFA"), QStringLiteral("BETA"), QStringLiteral("GAMMA")});
    QStringList oldYear = yearTexts(QStringLiteral("vecchio "));
    QByteArray oldYearFile(PresenzeRecord::kSize, '\0');
    {
        PresenzeRecord record;
        for (int s = 0; s < kDaysPerYear; ++s)
            record.setText(s, oldYear.at(s));
        oldYearFile = record.bytes();
    }
    return {
        {"card saved in place",
         kRegistry,
         {{kRegistry, three}},
         [](const QString& folder) {
             return Registry(folder + kRegistry)
                        .save(1, card(QStringLiteral("BETA")), card(QStringLiteral("BETAX")))
                    == Registry::SaveOutcome::Saved;
         }},
        {"card appended",
         kRegistry,
         {{kRegistry, three}},
         [](const QString& folder) {
             return Registry(folder + kRegistry).append(card(QStringLiteral("DELTA"))) == 3;
         }},
        {"card appended over a registry cut short",
         kRegistry,
         {{kRegistry, three + QByteArray(1000, 'x')}},
         [](const QString& folder) {
             return Registry(folder + kRegistry).append(card(QStringLiteral("DELTA"))) == 3;
         }},
        {"first card of a new registry",
         kRegistry,
         {},
         [](const QString& folder) {
             return Registry(folder + kRegistry).append(card(QStringLiteral("ALFA"))) == 0;
         }},
        {"year saved",
         kYear,
         {{kYear, oldYearFile}},
         [](const QString&) {
             return SaveYear(
                 YearFileName(QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("2026")),
                 yearTexts(QStringLiteral("nuovo ")));
         }},
        {"file replaced whole",
         QStringLiteral("dati.bin"),
         {{QStringLiteral("dati.bin"), QByteArray(5000, 'o')}},
         [](const QString& folder) {
             return writeWholeFile(folder + QStringLiteral("dati.bin"), QByteArray(3000, 'n')).ok();
         }},
    };
}

QString describe(const Files& state)
{
    QStringList parts;
    for (auto it = state.begin(); it != state.end(); ++it)
        parts << QStringLiteral("%1 (%2 bytes)").arg(it.key()).arg(it.value().size());
    return parts.join(QStringLiteral(", "));
}

} // namespace

class TestCrashPoints : public QObject {
    Q_OBJECT
private slots:
    void everyCrashPointLeavesOldOrNew_data();
    void everyCrashPointLeavesOldOrNew();
    void journalThatDoesNotFitIsDropped_data();
    void journalThatDoesNotFitIsDropped();
};

void TestCrashPoints::everyCrashPointLeavesOldOrNew_data()
{
    QTest::addColumn<int>("index");
    const QVector<Scenario> all = scenarios();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(all.at(i).name) << i;
}

void TestCrashPoints::everyCrashPointLeavesOldOrNew()
{
    QFETCH(int, index);
    const Scenario scenario = scenarios().at(index);
    TempProgramFolder folder;
    for (auto it = scenario.start.begin(); it != scenario.start.end(); ++it)
        QVERIFY(writeAll(folder.file(it.key()), it.value()));
    const Files start = snapshot(folder.path());

    RecordingDisk recorder;
    setDiskForTests(&recorder);
    const bool reported = scenario.action(folder.path());
    setDiskForTests(nullptr);
    QVERIFY(reported);
    const QVector<Step> steps = recorder.steps;
    QVERIFY(!steps.isEmpty());

    const bool existed = start.contains(scenario.target);
    const QByteArray oldBytes = start.value(scenario.target);
    const QByteArray newBytes = readAll(folder.file(scenario.target));
    QVERIFY(newBytes != oldBytes);

    QTemporaryDir crashes;
    int states = 0;
    DiskModel model(start);
    for (int point = 0; point <= steps.size(); ++point) {
        if (point > 0)
            model.apply(steps.at(point - 1));
        for (const Files& state : model.crashStates()) {
            const QString dir = crashes.filePath(QString::number(++states)) + QLatin1Char('/');
            QVERIFY(QDir().mkpath(dir));
            for (auto it = state.begin(); it != state.end(); ++it)
                QVERIFY(writeAll(dir + it.key(), it.value()));
            // What the program does first with the folder it finds: the registry rolls back a
            // write cut short. Year files and whole files need nothing.
            QVERIFY(Registry(dir + kRegistry).count().has_value());

            const QString where = QStringLiteral("after step %1 of %2, left: %3")
                                      .arg(point)
                                      .arg(steps.size())
                                      .arg(describe(state));
            const bool present = QFileInfo::exists(dir + scenario.target);
            const QByteArray now = readAll(dir + scenario.target);
            const bool isOld = existed ? present && now == oldBytes : !present || now.isEmpty();
            const bool isNew = present && now == newBytes;
            QVERIFY2(isOld || isNew, qPrintable(QStringLiteral("a mixture ") + where));
            if (point == steps.size())
                QVERIFY2(isNew, qPrintable(QStringLiteral("the reported save was lost ") + where));
            QVERIFY2(!QFileInfo::exists(registryJournalPath(dir + kRegistry)),
                     qPrintable(QStringLiteral("journal left ") + where));
            QDir(dir).removeRecursively();
        }
    }
    qInfo("%s: %d steps, %d crash states", scenario.name, int(steps.size()), states);
}

void TestCrashPoints::journalThatDoesNotFitIsDropped_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("torn journal") << "torn";
    QTest::newRow("garbage in the journal's place") << "garbage";
    QTest::newRow("registry replaced by a copy") << "replaced";
    QTest::newRow("registry shorter than the journal says") << "shorter";
}

// A journal that was never completed, or that belongs to another registry, must not change the
// registry: it is removed, and the registry keeps every byte and takes new cards again.
void TestCrashPoints::journalThatDoesNotFitIsDropped()
{
    QFETCH(QString, kind);
    TempProgramFolder folder;
    const QString path = folder.file(kRegistry);
    const QByteArray three =
        cards({QStringLiteral("ALFA"), QStringLiteral("BETA"), QStringLiteral("GAMMA")});
    JournalChange change;
    change.fileSize = three.size();
    change.offset = AnagraficaRecord::kSize;
    change.before = card(QStringLiteral("BETA")).bytes();
    change.after = card(QStringLiteral("BETTA")).bytes();
    QByteArray journal = encodeJournal(change);
    QByteArray registry = three;
    if (kind == QLatin1String("torn"))
        journal.truncate(journal.size() - 100);
    else if (kind == QLatin1String("garbage"))
        journal = QByteArray(4000, '\x5a');
    else if (kind == QLatin1String("replaced"))
        registry = cards({QStringLiteral("UNO"), QStringLiteral("DUE"), QStringLiteral("TRE")});
    else
        registry = three.left(AnagraficaRecord::kSize);
    QVERIFY(writeAll(path, registry));
    QVERIFY(writeAll(registryJournalPath(path), journal));

    QCOMPARE(Registry(path).count(),
             std::optional<qint64>(registry.size() / AnagraficaRecord::kSize));
    QCOMPARE(readAll(path), registry);
    QVERIFY(!QFileInfo::exists(registryJournalPath(path)));
    QVERIFY(Registry(path).append(card(QStringLiteral("OMEGA"))).has_value());
    QCOMPARE(readAll(path), registry + card(QStringLiteral("OMEGA")).bytes());
}

QTEST_GUILESS_MAIN(TestCrashPoints)
#include "tst_crashpoints.moc"
