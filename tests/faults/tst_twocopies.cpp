// Two copies of the program on one folder. The test starts copies of itself as separate
// processes, each running the program's start-up on one program folder and then the user's
// actions it is sent, one line each, on its standard input.
//
// What two copies do to each other when both run (the start-up without the lock): a calendar
// whose year file the other copy stored meanwhile writes nothing over it. The registry holds: a
// card appended by one while the other saves another card in place is kept, and a card saved by one
// after the other changed it is refused as changed elsewhere. So the program's start-up takes
// the folder: a second copy started on a folder
// in use says so and ends without touching a file, a copy killed with kill -9 leaves a stale
// lock that the next copy takes over, and a folder where no lock can be made (read-only) still
// starts, as before.

#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/register/yearfile.h"
#include "core/registry/registry.h"
#include "core/storage/folderlock.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "register/register_support.h"
#include "ui/messages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QSysInfo>
#include <QtTest/QtTest>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

namespace {

const char* const kFolderVariable = "VESTRANO_TEST_COPY_FOLDER";
const char* const kNoLockVariable = "VESTRANO_TEST_COPY_WITHOUT_LOCK";
constexpr int kRefusedExit = 3;

const QString kRossi = QStringLiteral("RSSMRA80A01H501U");

// ---- the copy: one running program, driven line by line --------------------------------------

// A message on one line: each line break becomes '|'.
QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char('|'))
        .replace(QLatin1Char('\r'), QLatin1Char('|'));
}

void say(const QString& line)
{
    std::cout << line.toStdString() << std::endl;
}

// One action of the user; the answer line starts with OK or ERR.
QString act(const QString& line, std::optional<AnagraficaRecord>& shownCard)
{
    const QStringList words = line.split(QLatin1Char(' '));
    const QString verb = words.value(0);
    auto* selection = qobject_cast<TfrmMenuCamere*>(screens().frmMenuCamere.data());
    auto* calendar = qobject_cast<TfrmPlanning*>(screens().frmPlanning.data());
    if (verb == QLatin1String("open") && words.size() == 3 && selection && calendar) {
        // The start menu's "Registro presenze", a person of the list, the year, Apri.
        switchScreen(screens().frmAvvio, selection);
        selection->findChild<QListWidget*>(QStringLiteral("lstRecords"))
            ->setCurrentRow(words.at(1).toInt());
        selection->lstRecordsClick();
        selection->findChild<QLineEdit*>(QStringLiteral("txtAnnoFatture"))->setText(words.at(2));
        selection->btnApriFattureClick();
        return calendar->isVisible() ? QStringLiteral("OK") : QStringLiteral("ERR not open");
    }
    if (verb == QLatin1String("day") && words.size() >= 3 && calendar) {
        // What the day dialog's "Applica e chiudi" hands the calendar.
        return calendar->applyDay(slotOfDayKey(words.at(1)), words.mid(2).join(QLatin1Char(' ')))
                   ? QStringLiteral("OK")
                   : QStringLiteral("ERR day");
    }
    if (verb == QLatin1String("leave") && calendar) {
        calendar->close();
        return QStringLiteral("OK");
    }
    // The registry as the card screen uses it: a card read and shown, saved in place later; a
    // new card appended.
    if (verb == QLatin1String("read") && words.size() == 2) {
        shownCard = Registry().read(words.at(1).toLongLong());
        return shownCard ? QStringLiteral("OK") : QStringLiteral("ERR read");
    }
    if (verb == QLatin1String("save") && words.size() == 3 && shownCard) {
        AnagraficaRecord card = *shownCard;
        card.set(AnagraficaField::Cognome, words.at(2));
        switch (Registry().save(words.at(1).toLongLong(), *shownCard, card)) {
        case Registry::SaveOutcome::Saved:
            shownCard = card;
            return QStringLiteral("OK");
        case Registry::SaveOutcome::ChangedElsewhere:
            return QStringLiteral("CHANGED");
        case Registry::SaveOutcome::Failed:
            break;
        }
        return QStringLiteral("ERR save");
    }
    if (verb == QLatin1String("append") && words.size() == 2) {
        return Registry().append(makeCard(words.at(1), QStringLiteral("Anna"),
                                          QStringLiteral("0123 456789"), kRossi,
                                          QStringLiteral("Ufficio")))
                   ? QStringLiteral("OK")
                   : QStringLiteral("ERR append");
    }
    return QStringLiteral("ERR unknown action");
}

int runCopy(int argc, char** argv)
{
    QApplication app(argc, argv);
    setProgramFolderForTests(qEnvironmentVariable(kFolderVariable));
    MessageRecorder messages;
    ProgramFolderLock lock;
    bool started = true;
    if (qEnvironmentVariableIsSet(kNoLockVariable))
        createScreens(); // the start-up before the lock
    else
        started = startProgram(lock);
    for (const ShownMessage& m : messages.messages())
        say(QStringLiteral("MESSAGE ") + oneLine(m.text));
    if (!started) {
        say(QStringLiteral("REFUSED"));
        return kRefusedExit;
    }
    if (!logIn()) {
        say(QStringLiteral("ERR login"));
        return 1;
    }
    say(QStringLiteral("STARTED"));
    std::optional<AnagraficaRecord> shownCard;
    std::string line;
    while (std::getline(std::cin, line)) {
        const QString action = QString::fromStdString(line).trimmed();
        if (action == QLatin1String("quit"))
            break;
        messages.clear();
        QString answer = act(action, shownCard);
        QCoreApplication::processEvents();
        if (messages.count() > 0)
            answer += QStringLiteral(" [%1 messages]").arg(messages.count());
        say(answer);
    }
    destroyScreens();
    return 0;
}

// ---- the test's side: a copy as a process ------------------------------------------------------

class Copy {
public:
    // Starts a copy on folder; withLock false runs the start-up without the lock.
    // With inNewNamespace, the copy runs in a process namespace of its own, as in a container
    // on this machine sharing the folder.
    Copy(const QString& folder, bool withLock = true, bool inNewNamespace = false)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kFolderVariable), folder);
        if (!withLock)
            env.insert(QString::fromLatin1(kNoLockVariable), QStringLiteral("1"));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (inNewNamespace)
            m_process.start(QStringLiteral("unshare"),
                            {QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                             QStringLiteral("--pid"), QStringLiteral("--fork"),
                             QCoreApplication::applicationFilePath()});
        else
            m_process.start(QCoreApplication::applicationFilePath(), QStringList());
    }
    ~Copy()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.write("quit\n");
            m_process.closeWriteChannel();
            if (!m_process.waitForFinished(10000))
                m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    Copy(const Copy&) = delete;
    Copy& operator=(const Copy&) = delete;

    // The next line the copy writes ("" when none comes within 20 s); MESSAGE lines are kept
    // aside.
    QString nextLine()
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000) {
            if (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
                if (line.startsWith(QLatin1String("MESSAGE "))) {
                    m_messages << line.mid(8);
                    continue;
                }
                return line;
            }
            if (m_process.state() == QProcess::NotRunning && !m_process.bytesAvailable())
                return QString();
            m_process.waitForReadyRead(100);
        }
        return QString();
    }
    QString start() { return nextLine(); }
    QString send(const QString& action)
    {
        m_process.write(action.toUtf8() + '\n');
        m_process.waitForBytesWritten(5000);
        return nextLine();
    }
    bool quit()
    {
        m_process.write("quit\n");
        m_process.closeWriteChannel();
        return m_process.waitForFinished(20000) && m_process.exitStatus() == QProcess::NormalExit
               && m_process.exitCode() == 0;
    }
    // Ends the copy as a crash does: no destructor runs, the lock file stays.
    void killHard()
    {
        m_process.kill(); // SIGKILL
        m_process.waitForFinished(10000);
    }
    bool waitForEnd() { return m_process.waitForFinished(20000); }
    int exitCode() const { return m_process.exitCode(); }
    qint64 pid() const { return m_process.processId(); }
    const QStringList& messages() const { return m_messages; }

private:
    QProcess m_process;
    QStringList m_messages;
};

// Every entry of the folder with its bytes (folders as a mark): what a copy that touches no
// file leaves unchanged.
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QFileInfoList list = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden
                                                          | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : list)
        files.insert(info.fileName(),
                     info.isFile() ? readAll(info.filePath()) : QByteArray("<dir>"));
    return files;
}

// The process number the lock file of folder names, 0 when there is none.
qint64 lockHolder(const QString& folder)
{
    const QByteArray bytes = readAll(folder + ProgramFolderLock::fileName());
    return bytes.left(bytes.indexOf('\n')).toLongLong();
}

void writeRegistry(const QString& folder)
{
    writeAll(
        folder + QStringLiteral("Anagrafica.pro"),
        cardBytes({makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"),
                            QStringLiteral("333 1234567"), kRossi, QStringLiteral("Autista"))}));
}

} // namespace

class TestTwoCopies : public QObject {
    Q_OBJECT

private slots:
    void withoutTheLockNeitherCopyWritesOverTheOther();
    void secondCopyOnAFolderInUseEnds();
    void crashedCopyLeavesAStaleLockThatIsTakenOver();
    void readOnlyFolderStartsAsBefore_data();
    void readOnlyFolderStartsAsBefore();
    void somethingElseWhereTheLockGoesIsReported_data();
    void somethingElseWhereTheLockGoesIsReported();
    void lockOfACopyOnAnotherMachine();
    void lockOfAnotherProcessNamespaceIsHeld();
    void copyInAnotherProcessNamespaceHoldsTheFolder();
    void lockFileCutShortIsTakenOver();
};

// Two copies started as the program started before the lock. A day applied by one is stored at
// once; the other, whose year file has thus changed, stores neither its day nor its leaving
// over it and says so. A card appended by one while the other saves another card in place
// survives; the same card saved by both keeps the first save, the second being refused as
// changed elsewhere.
void TestTwoCopies::withoutTheLockNeitherCopyWritesOverTheOther()
{
    TempProgramFolder folder;
    writeRegistry(folder.path());
    // The password file is there before the copies start, so that neither logs in while the
    // other writes it.
    QCOMPARE(PasswordStore().storePassword(QStringLiteral("VESTRANO")), StoreResult::Stored);
    Copy a(folder.path(), false);
    Copy b(folder.path(), false);
    QCOMPARE(a.start(), QStringLiteral("STARTED"));
    QCOMPARE(b.start(), QStringLiteral("STARTED"));

    QCOMPARE(a.send(QStringLiteral("open 0 2024")), QStringLiteral("OK"));
    QCOMPARE(b.send(QStringLiteral("open 0 2024")), QStringLiteral("OK"));
    QCOMPARE(a.send(QStringLiteral("day gen_08 Giorno di A")), QStringLiteral("OK"));
    const QString year = YearFileName(kRossi, QStringLiteral("2024"));
    QCOMPARE(PresenzeRecord(readAll(year)).text(DaySlot(1, 8)), QStringLiteral("Giorno di A"));
    QCOMPARE(b.send(QStringLiteral("day gen_09 Giorno di B")), QStringLiteral("OK [1 messages]"));
    QCOMPARE(a.send(QStringLiteral("leave")), QStringLiteral("OK"));
    QCOMPARE(b.send(QStringLiteral("leave")), QStringLiteral("OK [1 messages]"));
    const PresenzeRecord stored(readAll(year));
    QCOMPARE(stored.text(DaySlot(1, 8)), QStringLiteral("Giorno di A")); // A's day is kept
    QCOMPARE(stored.text(DaySlot(1, 9)), QString());

    // The registry: A shows card 0 and saves it after B appended a card: both are kept.
    QCOMPARE(a.send(QStringLiteral("read 0")), QStringLiteral("OK"));
    QCOMPARE(b.send(QStringLiteral("append Bianchi")), QStringLiteral("OK"));
    QCOMPARE(a.send(QStringLiteral("save 0 RossiA")), QStringLiteral("OK"));
    QCOMPARE(Registry().count(), std::optional<qint64>(2));
    QCOMPARE(Registry().read(0)->get(AnagraficaField::Cognome), QStringLiteral("RossiA"));
    QCOMPARE(Registry().read(1)->get(AnagraficaField::Cognome), QStringLiteral("Bianchi"));
    // Both show card 0 and save it: the later save finds the card changed and writes nothing.
    QCOMPARE(a.send(QStringLiteral("read 0")), QStringLiteral("OK"));
    QCOMPARE(b.send(QStringLiteral("read 0")), QStringLiteral("OK"));
    QCOMPARE(b.send(QStringLiteral("save 0 Verdi")), QStringLiteral("OK"));
    QCOMPARE(a.send(QStringLiteral("save 0 Neri")), QStringLiteral("CHANGED"));
    QCOMPARE(Registry().read(0)->get(AnagraficaField::Cognome), QStringLiteral("Verdi"));
    QVERIFY(a.quit());
    QVERIFY(b.quit());
}

// The first copy holds the folder; a second one says so in a message and ends, without a screen
// and without changing, adding or removing a file. The first goes on working and, when it ends,
// frees the folder.
void TestTwoCopies::secondCopyOnAFolderInUseEnds()
{
    TempProgramFolder folder;
    writeRegistry(folder.path());
    auto a = std::make_unique<Copy>(folder.path());
    QCOMPARE(a->start(), QStringLiteral("STARTED"));
    QVERIFY(a->messages().isEmpty());
    QCOMPARE(lockHolder(folder.path()), a->pid());
    QCOMPARE(a->send(QStringLiteral("open 0 2024")), QStringLiteral("OK"));
    const QMap<QString, QByteArray> before = snapshot(folder.path());

    {
        Copy b(folder.path());
        QCOMPARE(b.start(), QStringLiteral("REFUSED"));
        QVERIFY(b.waitForEnd());
        QCOMPARE(b.exitCode(), kRefusedExit);
        QCOMPARE(b.messages().size(), 1);
        QCOMPARE(b.messages().first(), oneLine(folderInUseMessage(QSysInfo::machineHostName())));
    }
    QCOMPARE(snapshot(folder.path()), before);

    QCOMPARE(a->send(QStringLiteral("day gen_08 Giorno di A")), QStringLiteral("OK"));
    QCOMPARE(a->send(QStringLiteral("leave")), QStringLiteral("OK"));
    QVERIFY(a->quit());
    a.reset();
    QCOMPARE(PresenzeRecord(readAll(YearFileName(kRossi, QStringLiteral("2024")))).text(7),
             QStringLiteral("Giorno di A"));
    QVERIFY(!QFileInfo::exists(folder.file(ProgramFolderLock::fileName())));

    // Once the first has ended, the next copy starts.
    Copy c(folder.path());
    QCOMPARE(c.start(), QStringLiteral("STARTED"));
    QVERIFY(c.quit());
}

// A copy killed with kill -9 leaves its lock behind; the next copy on this machine sees that
// no such process runs, takes the folder over and works.
void TestTwoCopies::crashedCopyLeavesAStaleLockThatIsTakenOver()
{
    TempProgramFolder folder;
    writeRegistry(folder.path());
    Copy a(folder.path());
    QCOMPARE(a.start(), QStringLiteral("STARTED"));
    a.killHard();
    QVERIFY(QFileInfo::exists(folder.file(ProgramFolderLock::fileName())));

    Copy c(folder.path());
    QCOMPARE(c.start(), QStringLiteral("STARTED"));
    QVERIFY(c.messages().isEmpty());
    QCOMPARE(lockHolder(folder.path()), c.pid());
    QCOMPARE(c.send(QStringLiteral("open 0 2024")), QStringLiteral("OK"));
    QCOMPARE(c.send(QStringLiteral("day gen_08 Dopo il crash")), QStringLiteral("OK"));
    QCOMPARE(c.send(QStringLiteral("leave")), QStringLiteral("OK"));
    QVERIFY(c.quit());
    QCOMPARE(PresenzeRecord(readAll(YearFileName(kRossi, QStringLiteral("2024")))).text(7),
             QStringLiteral("Dopo il crash"));
    QVERIFY(!QFileInfo::exists(folder.file(ProgramFolderLock::fileName())));
}

void TestTwoCopies::readOnlyFolderStartsAsBefore_data()
{
    QTest::addColumn<bool>("folderInPlace");
    QTest::newRow("read-only folder") << false;
    QTest::newRow("read-only folder with a folder in place of the lock") << true;
}

// No lock can be made at all: the program starts all the same, without a message, and the
// folder is left as it was.
void TestTwoCopies::readOnlyFolderStartsAsBefore()
{
    QFETCH(bool, folderInPlace);
    TempProgramFolder folder;
    writeRegistry(folder.path());
    openToAll(folder.path());
    if (folderInPlace)
        QVERIFY(QDir().mkdir(folder.file(ProgramFolderLock::fileName())));
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    MessageRecorder messages;
    bool started = false;
    ProgramFolderLock::Outcome outcome = ProgramFolderLock::Outcome::Taken;
    setMode(folder.path(), 0555);
    {
        AsOrdinaryUser user;
        ProgramFolderLock lock;
        outcome = lock.acquire();
        started = startProgram(lock);
    }
    setMode(folder.path(), 0777);
    QCOMPARE(outcome, ProgramFolderLock::Outcome::Unavailable);
    QVERIFY(started);
    QCOMPARE(messages.count(), 0);
    QVERIFY(screens().frmPassword && screens().frmPassword->isVisible());
    destroyScreens();
    QCOMPARE(snapshot(folder.path()), before);
}

void TestTwoCopies::somethingElseWhereTheLockGoesIsReported_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<ProgramFolderLock::Obstacle>("obstacle");
    QTest::newRow("a folder") << QStringLiteral("folder") << ProgramFolderLock::Obstacle::Folder;
    QTest::newRow("a dangling link")
        << QStringLiteral("dangling") << ProgramFolderLock::Obstacle::Link;
    QTest::newRow("a link to /dev/null")
        << QStringLiteral("/dev/null") << ProgramFolderLock::Obstacle::Link;
    QTest::newRow("a link to a file")
        << QStringLiteral("file") << ProgramFolderLock::Obstacle::Link;
    QTest::newRow("a named pipe") << QStringLiteral("fifo") << ProgramFolderLock::Obstacle::Special;
}

// In a folder that could hold a lock, something else in the lock's place would let every copy
// start unguarded: the program says what is there and what to remove, and ends without a
// screen and without touching a file. Two copies started on it both end so.
void TestTwoCopies::somethingElseWhereTheLockGoesIsReported()
{
    QFETCH(QString, what);
    QFETCH(ProgramFolderLock::Obstacle, obstacle);
    TempProgramFolder folder;
    writeRegistry(folder.path());
    const QString lockPath = folder.file(ProgramFolderLock::fileName());
    const QByteArray lockName = QFile::encodeName(lockPath);
    if (what == QLatin1String("folder"))
        QVERIFY(QDir().mkdir(lockPath));
    else if (what == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(lockName.constData(), 0644), 0);
    else if (what == QLatin1String("file"))
        QVERIFY(writeAll(folder.file(QStringLiteral("altro")), "4242\n")
                && QFile::link(folder.file(QStringLiteral("altro")), lockPath));
    else
        QVERIFY(QFile::link(what == QLatin1String("dangling") ? folder.file(QStringLiteral("via"))
                                                              : what,
                            lockPath));
    const QMap<QString, QByteArray> before = snapshot(folder.path());
    {
        MessageRecorder messages;
        ProgramFolderLock lock;
        QVERIFY(!startProgram(lock));
        QCOMPARE(lock.obstacle(), obstacle);
        QVERIFY(!screens().frmPassword);
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().kind, MessageKind::Warning);
        QCOMPARE(messages.last().text, folderLockBlockedMessage(obstacle));
        QVERIFY(messages.last().text.contains(ProgramFolderLock::fileName()));
    }
    Copy a(folder.path());
    Copy b(folder.path());
    QCOMPARE(a.start(), QStringLiteral("REFUSED"));
    QCOMPARE(b.start(), QStringLiteral("REFUSED"));
    QCOMPARE(snapshot(folder.path()), before);
}

// A lock made by a copy on another machine cannot be checked from here: it holds the folder,
// and the message names that machine.
void TestTwoCopies::lockOfACopyOnAnotherMachine()
{
    TempProgramFolder folder;
    const QByteArray foreign = "4242\nvestrano\naltro-pc\nidentita-di-un-altro-pc\navvio-altro\n";
    QVERIFY(writeAll(folder.file(ProgramFolderLock::fileName()), foreign));
    MessageRecorder messages;
    ProgramFolderLock lock;
    QVERIFY(!startProgram(lock));
    QVERIFY(!screens().frmPassword);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QCOMPARE(messages.last().text, folderInUseMessage(QStringLiteral("altro-pc")));
    QVERIFY(messages.last().text.contains(QStringLiteral("sul computer \"altro-pc\"")));
    QVERIFY(messages.last().text.contains(ProgramFolderLock::fileName()));
    QCOMPARE(readAll(folder.file(ProgramFolderLock::fileName())), foreign);
}

// A lock whose holder runs in another process namespace of this machine: its process number
// means nothing here, so the lock holds (and the message says to remove it if no copy runs).
// The same lock from this namespace names a process that has ended: it is taken over.
void TestTwoCopies::lockOfAnotherProcessNamespaceIsHeld()
{
    QProcess ended;
    ended.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
    QVERIFY(ended.waitForStarted(10000));
    const QByteArray gonePid = QByteArray::number(ended.processId());
    QVERIFY(ended.waitForFinished(10000));
    QList<QByteArray> lines = ProgramFolderLock::contentsForThisCopy().split('\n');
    QCOMPARE(lines.size(), 7);
    lines[0] = gonePid;
    QVERIFY(lines.at(5).startsWith("pid:["));
    const QByteArray ours = lines.join('\n');
    lines[5] = "pid:[1]";
    const QByteArray foreign = lines.join('\n');

    TempProgramFolder folder;
    const QString lockPath = folder.file(ProgramFolderLock::fileName());
    QVERIFY(writeAll(lockPath, foreign));
    {
        MessageRecorder messages;
        ProgramFolderLock lock;
        QVERIFY(!startProgram(lock));
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().text, folderInUseMessage(QSysInfo::machineHostName()));
        QCOMPARE(readAll(lockPath), foreign);
    }
    QVERIFY(writeAll(lockPath, ours));
    ProgramFolderLock lock;
    QCOMPARE(lock.acquire(), ProgramFolderLock::Outcome::Taken);
    QCOMPARE(lockHolder(folder.path()), QCoreApplication::applicationPid());
}

// A real copy in a process namespace of its own (as in a container sharing the folder) holds
// the folder while it runs; once it has ended, the folder is free.
void TestTwoCopies::copyInAnotherProcessNamespaceHoldsTheFolder()
{
    QProcess probe;
    probe.start(QStringLiteral("unshare"),
                {QStringLiteral("--user"), QStringLiteral("--map-root-user"),
                 QStringLiteral("--pid"), QStringLiteral("--fork"), QStringLiteral("true")});
    if (!probe.waitForFinished(10000) || probe.exitStatus() != QProcess::NormalExit
        || probe.exitCode() != 0)
        QSKIP("no process namespaces can be made here");
    TempProgramFolder folder;
    writeRegistry(folder.path());
    auto a = std::make_unique<Copy>(folder.path(), true, true);
    QCOMPARE(a->start(), QStringLiteral("STARTED"));
    QCOMPARE(lockHolder(folder.path()), 1); // the first process of its namespace
    {
        Copy b(folder.path());
        QCOMPARE(b.start(), QStringLiteral("REFUSED"));
    }
    QVERIFY(a->quit());
    a.reset();
    Copy c(folder.path());
    QCOMPARE(c.start(), QStringLiteral("STARTED"));
    QVERIFY(c.quit());
}

// A lock file left empty (a crash while it was being written) and held by no one is taken
// over after a moment.
void TestTwoCopies::lockFileCutShortIsTakenOver()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(folder.file(ProgramFolderLock::fileName()), QByteArray()));
    ProgramFolderLock lock;
    QCOMPARE(lock.acquire(), ProgramFolderLock::Outcome::Taken);
    QCOMPARE(lockHolder(folder.path()), QCoreApplication::applicationPid());
    // A second lock in this same running copy is refused: the holder is alive.
    ProgramFolderLock second;
    QCOMPARE(second.acquire(), ProgramFolderLock::Outcome::InUse);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(kFolderVariable))
        return runCopy(argc, argv);
    QApplication app(argc, argv);
    TestTwoCopies test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_twocopies.moc"
