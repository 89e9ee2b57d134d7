// Every action on the registry file under the faults a disk can show: a program folder that
// cannot be written, a registry that may not be opened for writing or at all, a folder, a FIFO
// or a broken link in its place, a read-only medium, a device that fills up while a card is
// written, a file cut short and a registry changed behind the card screen's back. Each action
// gives its message, or its silence, and every byte stored before stays where it was; what
// only reads works wherever the registry can be read.

#include "core/registry/registry.h"
#include "registry/cardscreen_support.h"

#include "help/openurl.h"
#include "register/menucamere.h"
#include "registry/expclienti.h"
#include "registry/exportgrid.h"
#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"
#include "ui/decor.h"

#include <QDir>
#include <QListWidget>
#include <QtTest/QtTest>

#include <sys/stat.h>

#include <functional>
#include <optional>

using F = AnagraficaField;

namespace {

enum class Fault {
    ReadOnlyFolder, // and no registry yet
    ReadOnlyFile,
    ReadOnlyMedium, // a read-only registry in a read-only folder
    UnreadableFile,
    FolderInPlace,
    FifoInPlace,
    BrokenLinkInPlace,
};

// Whether the stored cards can still be read under the fault.
bool readable(Fault fault)
{
    return fault == Fault::ReadOnlyFile || fault == Fault::ReadOnlyMedium;
}

// Two cards, the second ticked for recontact; both can be listed by the register.
QByteArray storedRegistry()
{
    return cardsFile({sampleCard(QStringLiteral("Uno")),
                      sampleCard(QStringLiteral("Due"), QString::fromUtf8("S\u00ec"))});
}

// An action as the user triggers it. What it reports: the access failure message in a box of
// the given kind, or nothing. check looks at the screen afterwards: nothing was put there.
struct RegistryAction {
    const char* name;
    bool writes;
    std::optional<MessageKind> reported;
    std::function<void(CardScreen&)> run;
};

void presetStoredCard(CardScreen& c)
{
    c.fillCompulsory(QStringLiteral("Bozza"));
    c.screen->setCardNumber(1);
}

const std::vector<RegistryAction>& registryActions()
{
    static const std::vector<RegistryAction> actions = {
        {"card: first", false, MessageKind::Error,
         [](CardScreen& c) { c.screen->imgPrimaClick(); }},
        {"card: previous", false, MessageKind::Error,
         [](CardScreen& c) { c.screen->imgPrecedenteClick(); }},
        {"card: next", false, MessageKind::Error,
         [](CardScreen& c) { c.screen->imgSuccessivaClick(); }},
        {"card: last", false, MessageKind::Error,
         [](CardScreen& c) { c.screen->imgUltimaClick(); }},
        {"card: save new", true, MessageKind::Error,
         [](CardScreen& c) {
             c.fillCompulsory(QStringLiteral("Bozza"));
             c.screen->cmdSalvaClick();
             QCOMPARE(c.position(), QString());
         }},
        {"card: save in place", true, MessageKind::Error,
         [](CardScreen& c) {
             presetStoredCard(c);
             c.screen->cmdSalvaClick();
             QCOMPARE(c.position(), QStringLiteral("1"));
         }},
        {"card: duplicate", true, MessageKind::Error,
         [](CardScreen& c) {
             presetStoredCard(c);
             c.screen->cmdDuplicaClick();
         }},
        {"search", false, MessageKind::Plain,
         [](CardScreen& c) {
             TfrmTrovaClienti search(c.screen.get());
             search.btnCercaClick();
             QVERIFY(named(&search, "panFiltri")->isVisibleTo(&search));
             QCOMPARE(search.lineCount(), qsizetype(0));
         }},
        {"recontact list", false, std::nullopt,
         [](CardScreen& c) {
             TfrmRicontatta list(c.screen.get());
             list.FormShow();
             QCOMPARE(list.lineCount(), qsizetype(0));
         }},
        {"export grid", false, std::nullopt,
         [](CardScreen& c) {
             TfrmExpClienti exporter(c.screen.get());
             exporter.FormShow();
             QCOMPARE(exporter.model()->rowCount(), kExportEmptyRows);
             QCOMPARE(exporter.model()->cell(0, 1), QString());
         }},
        {"register list", false, std::nullopt,
         [](CardScreen&) {
             TfrmMenuCamere selection;
             selection.FormShow();
             QCOMPARE(selection.findChild<QListWidget*>(QStringLiteral("lstRecords"))->count(), 0);
         }},
    };
    return actions;
}

QStringList folderEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
}

const std::pair<Fault, const char*> kFaults[] = {
    {Fault::ReadOnlyFolder, "read-only program folder, no registry yet"},
    {Fault::ReadOnlyFile, "read-only registry"},
    {Fault::ReadOnlyMedium, "read-only registry in a read-only folder"},
    {Fault::UnreadableFile, "unreadable registry"},
    {Fault::FolderInPlace, "a folder named Anagrafica.pro"},
    {Fault::FifoInPlace, "a FIFO named Anagrafica.pro"},
    {Fault::BrokenLinkInPlace, "a broken link named Anagrafica.pro"},
};

// Puts the fault in place in the program folder of c, except the folder's own mode (see
// lockFolder), which would keep the test from looking at the folder.
void prepareFault(CardScreen& c, Fault fault)
{
    const QString registry = c.registry();
    openToAll(c.folder.path());
    switch (fault) {
    case Fault::ReadOnlyFolder:
        break;
    case Fault::ReadOnlyFile:
    case Fault::ReadOnlyMedium:
    case Fault::UnreadableFile:
        QVERIFY(writeAll(registry, storedRegistry()));
        setMode(registry, fault == Fault::UnreadableFile ? 0 : 0444);
        break;
    case Fault::FolderInPlace:
        QVERIFY(QDir().mkdir(registry));
        QVERIFY(writeAll(registry + QStringLiteral("/dentro"), "resta"));
        break;
    case Fault::FifoInPlace:
        QCOMPARE(::mkfifo(QFile::encodeName(registry).constData(), 0666), 0);
        break;
    case Fault::BrokenLinkInPlace:
        QVERIFY(QFile::link(c.folder.file(QStringLiteral("non-esiste.pro")), registry));
        break;
    }
}

void lockFolder(CardScreen& c, Fault fault)
{
    if (fault == Fault::ReadOnlyFolder || fault == Fault::ReadOnlyMedium)
        setMode(c.folder.path(), 0555);
}

// Gives the folder back and checks that the fault's files are exactly as they were made.
void checkNothingChanged(CardScreen& c, Fault fault, const QStringList& entriesBefore)
{
    setMode(c.folder.path(), 0777);
    const QString registry = c.registry();
    QCOMPARE(folderEntries(c.folder.path()), entriesBefore);
    switch (fault) {
    case Fault::ReadOnlyFolder:
        QVERIFY(!QFileInfo::exists(registry));
        break;
    case Fault::ReadOnlyFile:
    case Fault::ReadOnlyMedium:
    case Fault::UnreadableFile:
        setMode(registry, 0644);
        QCOMPARE(readAll(registry), storedRegistry());
        break;
    case Fault::FolderInPlace:
        QVERIFY(QFileInfo(registry).isDir());
        QCOMPARE(readAll(registry + QStringLiteral("/dentro")), QByteArray("resta"));
        break;
    case Fault::FifoInPlace: {
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(registry).constData(), &info), 0);
        QVERIFY(S_ISFIFO(info.st_mode));
        break;
    }
    case Fault::BrokenLinkInPlace:
        QVERIFY(QFileInfo(registry).isSymLink());
        QVERIFY(!QFileInfo::exists(QFileInfo(registry).symLinkTarget()));
        break;
    }
}

// What the actions that only read show from the two stored cards, the second ticked for
// recontact; the card moves are made with the mouse on the arrows, from a new card.
struct ReadingAction {
    const char* name;
    QString shown;
    std::function<QString(CardScreen&)> run;
};

QString clickArrow(CardScreen& c, const char* arrow)
{
    QTest::mouseClick(c.screen->findChild<QWidget*>(QLatin1String(arrow)), Qt::LeftButton);
    return c.position() + QLatin1Char(' ') + c.text(F::Cognome);
}

const std::vector<ReadingAction>& readingActions()
{
    static const std::vector<ReadingAction> actions = {
        {"card: first", QStringLiteral("1 Uno"),
         [](CardScreen& c) { return clickArrow(c, "imgPrima"); }},
        {"card: previous", QStringLiteral("1 Uno"),
         [](CardScreen& c) { return clickArrow(c, "imgPrecedente"); }},
        {"card: next", QStringLiteral("1 Uno"),
         [](CardScreen& c) { return clickArrow(c, "imgSuccessiva"); }},
        {"card: last", QStringLiteral("2 Due"),
         [](CardScreen& c) { return clickArrow(c, "imgUltima"); }},
        {"search", QStringLiteral("2"),
         [](CardScreen& c) {
             TfrmTrovaClienti search(c.screen.get());
             search.btnCercaClick();
             return QString::number(search.lineCount());
         }},
        {"recontact list", QStringLiteral("1"),
         [](CardScreen& c) {
             TfrmRicontatta list(c.screen.get());
             list.FormShow();
             return QString::number(list.lineCount());
         }},
        {"export grid", QStringLiteral("2 Due Anna"),
         [](CardScreen& c) {
             TfrmExpClienti exporter(c.screen.get());
             exporter.FormShow();
             return QString::number(exporter.model()->rowCount()) + QLatin1Char(' ')
                    + exporter.model()->cell(1, 1);
         }},
        {"register list", QStringLiteral("2"),
         [](CardScreen&) {
             TfrmMenuCamere selection;
             selection.FormShow();
             return QString::number(
                 selection.findChild<QListWidget*>(QStringLiteral("lstRecords"))->count());
         }},
    };
    return actions;
}

} // namespace

class TestRegistryFaults : public QObject {
    Q_OBJECT

private slots:
    void accessFailures_data();
    void accessFailures();
    void readOnlyRegistryIsRead_data();
    void readOnlyRegistryIsRead();
    void savingOverACardChangedElsewhere_data();
    void savingOverACardChangedElsewhere();
    void exportKeepsTheOldFileWithoutTheRegistry_data();
    void exportKeepsTheOldFileWithoutTheRegistry();
    void deviceFillsUpWhileSaving_data();
    void deviceFillsUpWhileSaving();
    void registryCutShort_data();
    void registryCutShort();
};

void TestRegistryFaults::accessFailures_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("fault");
    for (size_t a = 0; a < registryActions().size(); ++a) {
        for (const auto& [fault, faultName] : kFaults) {
            // Reading a registry that can be read is no failure: see readOnlyRegistryIsRead.
            if (readable(fault) && !registryActions()[a].writes)
                continue;
            QTest::addRow("%s, %s", registryActions()[a].name, faultName) << int(a) << int(fault);
        }
    }
}

void TestRegistryFaults::accessFailures()
{
    QFETCH(int, action);
    QFETCH(int, fault);
    const RegistryAction& act = registryActions()[size_t(action)];
    CardScreen c;
    prepareFault(c, Fault(fault));
    const QStringList before = folderEntries(c.folder.path());
    lockFolder(c, Fault(fault));
    {
        AsOrdinaryUser user;
        act.run(c);
    }
    setMode(c.folder.path(), 0777);

    if (act.reported) {
        QCOMPARE(c.messages.count(), 1);
        QCOMPARE(c.messages.last().kind, *act.reported);
        QCOMPARE(c.messages.last().text, kAccessFailureMessage);
    } else {
        QCOMPARE(c.messages.count(), 0);
    }
    // Nothing created, nothing left behind, nothing changed.
    checkNothingChanged(c, Fault(fault), before);
}

void TestRegistryFaults::readOnlyRegistryIsRead_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("fault");
    for (size_t a = 0; a < readingActions().size(); ++a) {
        for (Fault fault : {Fault::ReadOnlyFile, Fault::ReadOnlyMedium}) {
            QTest::addRow("%s, %s", readingActions()[a].name, kFaults[size_t(fault)].second)
                << int(a) << int(fault);
        }
    }
}

// A registry on a read-only folder or medium (a CD, a read-only share) can be looked through:
// every action that only reads shows the cards, says nothing and changes nothing.
void TestRegistryFaults::readOnlyRegistryIsRead()
{
    QFETCH(int, action);
    QFETCH(int, fault);
    const ReadingAction& act = readingActions()[size_t(action)];
    CardScreen c;
    prepareFault(c, Fault(fault));
    const QStringList before = folderEntries(c.folder.path());
    lockFolder(c, Fault(fault));
    QString shown;
    {
        AsOrdinaryUser user;
        shown = act.run(c);
    }
    QCOMPARE(shown, act.shown);
    QCOMPARE(c.messages.count(), 0);
    checkNothingChanged(c, Fault(fault), before);
}

void TestRegistryFaults::savingOverACardChangedElsewhere_data()
{
    QTest::addColumn<QByteArray>("meanwhile"); // the registry after card 2 was shown
    QTest::addColumn<bool>("saved");
    const AnagraficaRecord uno = sampleCard(QStringLiteral("Uno"));
    const AnagraficaRecord due = sampleCard(QStringLiteral("Due"), QString::fromUtf8("S\u00ec"));
    AnagraficaRecord dueElsewhere = due;
    dueElsewhere.set(F::Recapito, QStringLiteral("06 1234567"));
    QTest::newRow("a backup restored, another card in its place")
        << cardsFile({uno, sampleCard(QStringLiteral("Altro"))}) << false;
    QTest::newRow("the card changed by another copy of the program")
        << cardsFile({uno, dueElsewhere}) << false;
    QTest::newRow("the card emptied") << cardsFile({uno, AnagraficaRecord()}) << false;
    QTest::newRow("the card as it was, a card added after it")
        << cardsFile({uno, due, sampleCard(QStringLiteral("Tre"))}) << true;
}

// Salva writes a stored card in place only over the card that was shown: when the record holds
// something else by now, the user is told, nothing is written and the screen keeps what was
// typed.
void TestRegistryFaults::savingOverACardChangedElsewhere()
{
    QFETCH(QByteArray, meanwhile);
    QFETCH(bool, saved);
    CardScreen c;
    QVERIFY(writeAll(c.registry(), storedRegistry()));
    QTest::mouseClick(c.screen->findChild<QWidget*>(QStringLiteral("imgUltima")), Qt::LeftButton);
    QCOMPARE(c.position(), QStringLiteral("2"));
    QVERIFY(writeAll(c.registry(), meanwhile));

    c.edit(F::Note)->setFocus();
    QTest::keyClicks(c.edit(F::Note), QStringLiteral("Richiamare"));
    QTest::mouseClick(c.screen->findChild<QWidget*>(QStringLiteral("cmdSalva")), Qt::LeftButton);

    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.position(), QStringLiteral("2"));
    QCOMPARE(c.text(F::Note), QStringLiteral("Richiamare"));
    const QByteArray after = readAll(c.registry());
    if (saved) {
        QCOMPARE(c.messages.last().kind, MessageKind::Information);
        QCOMPARE(after.size(), meanwhile.size());
        QCOMPARE(AnagraficaRecord(after.mid(AnagraficaRecord::kSize, AnagraficaRecord::kSize))
                     .get(F::Note),
                 QStringLiteral("Richiamare"));
        QCOMPARE(after.left(AnagraficaRecord::kSize), meanwhile.left(AnagraficaRecord::kSize));
        QCOMPARE(after.mid(2 * AnagraficaRecord::kSize),
                 meanwhile.mid(2 * AnagraficaRecord::kSize));
        return;
    }
    QCOMPARE(c.messages.last().kind, MessageKind::Warning);
    QCOMPARE(c.messages.last().text,
             QString::fromUtf8("Attenzione: la scheda corrente è stata modificata altrove dopo "
                               "essere stata visualizzata, ad esempio da un'altra copia del "
                               "programma o con il ripristino di una copia dell'archivio.\r\n\r\n"
                               "Le modifiche non sono state salvate, per non sovrascrivere i "
                               "dati presenti in archivio."));
    QCOMPARE(after, meanwhile);

    // Once the card is shown again, as it now is, Salva stores the change over it.
    QTest::mouseClick(c.screen->findChild<QWidget*>(QStringLiteral("imgUltima")), Qt::LeftButton);
    c.edit(F::Note)->setFocus();
    c.edit(F::Note)->selectAll();
    QTest::keyClicks(c.edit(F::Note), QStringLiteral("Richiamare"));
    c.fillCompulsory(QStringLiteral("Due"));
    QTest::mouseClick(c.screen->findChild<QWidget*>(QStringLiteral("cmdSalva")), Qt::LeftButton);
    QCOMPARE(c.messages.last().kind, MessageKind::Information);
    QCOMPARE(AnagraficaRecord(readAll(c.registry()).mid(AnagraficaRecord::kSize)).get(F::Note),
             QStringLiteral("Richiamare"));
}

void TestRegistryFaults::exportKeepsTheOldFileWithoutTheRegistry_data()
{
    QTest::addColumn<int>("fault");
    for (Fault fault : {Fault::UnreadableFile, Fault::FolderInPlace, Fault::FifoInPlace,
                        Fault::BrokenLinkInPlace, Fault::ReadOnlyFolder})
        QTest::addRow("%s", kFaults[size_t(fault)].second) << int(fault);
}

// An export that cannot read the registry says so and leaves the spreadsheet exported before
// as it was, instead of replacing it with empty rows reported as a success.
void TestRegistryFaults::exportKeepsTheOldFileWithoutTheRegistry()
{
    QFETCH(int, fault);
    CardScreen c;
    const QString xls = c.folder.file(QStringLiteral("Anagrafica.xls"));
    const QByteArray exported = "<html>esportazione precedente</html>";
    QVERIFY(writeAll(xls, exported));
    ShellOpenRecorder shell;
    prepareFault(c, Fault(fault));
    lockFolder(c, Fault(fault));
    {
        AsOrdinaryUser user;
        TfrmExpClienti exporter(c.screen.get());
        exporter.show();
        QTest::mouseClick(named(&exporter, "cmdEsporta"), Qt::LeftButton);
    }
    setMode(c.folder.path(), 0777);
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.messages.last().kind, MessageKind::Plain);
    QCOMPARE(c.messages.last().text, kAccessFailureMessage);
    QCOMPARE(readAll(xls), exported);
    QCOMPARE(shell.count(), 0);
}

void TestRegistryFaults::deviceFillsUpWhileSaving_data()
{
    QTest::addColumn<int>("room");
    QTest::newRow("no room at all") << 0;
    QTest::newRow("room for a few bytes") << 100;
    QTest::newRow("room for all but the last byte") << AnagraficaRecord::kSize - 1;
}

// A new card that does not fit on the device: the failure is reported, the card stays on
// screen unsaved and the registry keeps exactly its bytes, with no half card at its end.
// Once there is room again, the same Save stores it.
void TestRegistryFaults::deviceFillsUpWhileSaving()
{
    QFETCH(int, room);
    CardScreen c;
    const QByteArray stored = storedRegistry();
    QVERIFY(writeAll(c.registry(), stored));
    c.fillCompulsory(QStringLiteral("Nuovo"));
    {
        FileSizeLimit limit(stored.size() + room);
        c.screen->cmdSalvaClick();
    }
    QCOMPARE(c.messages.count(), 1);
    QCOMPARE(c.messages.last().kind, MessageKind::Error);
    QCOMPARE(c.messages.last().text, kAccessFailureMessage);
    QCOMPARE(readAll(c.registry()), stored);
    QCOMPARE(c.position(), QString());
    QCOMPARE(c.text(F::Cognome), QStringLiteral("Nuovo"));

    c.screen->cmdSalvaClick();
    QCOMPARE(c.messages.last().kind, MessageKind::Information);
    QCOMPARE(c.position(), QStringLiteral("3"));
    const QByteArray after = readAll(c.registry());
    QCOMPARE(after.size(), 3 * AnagraficaRecord::kSize);
    QVERIFY(after.startsWith(stored));
    QCOMPARE(AnagraficaRecord(after.mid(2 * AnagraficaRecord::kSize)).get(F::Cognome),
             QStringLiteral("Nuovo"));
}

void TestRegistryFaults::registryCutShort_data()
{
    QTest::addColumn<QString>("reader");
    QTest::addColumn<int>("expected");
    QTest::newRow("card: last") << "last" << 3;
    QTest::newRow("search, all filters empty") << "search" << 3;
    QTest::newRow("recontact list") << "recontact" << 1;
    QTest::newRow("export grid") << "export" << 3;
    QTest::newRow("register list") << "register" << 3;
}

// A registry whose last card was cut short: every reader sees the whole cards before it, says
// nothing, and leaves the cut bytes as they are.
void TestRegistryFaults::registryCutShort()
{
    QFETCH(QString, reader);
    QFETCH(int, expected);
    CardScreen c;
    const QByteArray whole =
        cardsFile({sampleCard(QStringLiteral("Uno")), sampleCard(QStringLiteral("Due")),
                   sampleCard(QStringLiteral("Tre"), QString::fromUtf8("S\u00ec")),
                   sampleCard(QStringLiteral("Quattro"))});
    const QByteArray cut = whole.left(3 * AnagraficaRecord::kSize + 1000);
    QVERIFY(writeAll(c.registry(), cut));

    int seen = -1;
    if (reader == QLatin1String("last")) {
        c.screen->imgUltimaClick();
        seen = c.position().toInt();
        QCOMPARE(c.text(F::Cognome), QStringLiteral("Tre"));
    } else if (reader == QLatin1String("search")) {
        TfrmTrovaClienti search(c.screen.get());
        search.btnCercaClick();
        seen = int(search.lineCount());
    } else if (reader == QLatin1String("recontact")) {
        TfrmRicontatta list(c.screen.get());
        list.FormShow();
        seen = int(list.lineCount());
        QVERIFY(list.lines().value(0).startsWith(QStringLiteral("Tre Anna")));
    } else if (reader == QLatin1String("export")) {
        TfrmExpClienti exporter(c.screen.get());
        exporter.FormShow();
        seen = exporter.model()->rowCount();
        QCOMPARE(exporter.model()->cell(2, 1), QStringLiteral("Tre Anna"));
    } else {
        TfrmMenuCamere selection;
        selection.FormShow();
        seen = selection.findChild<QListWidget*>(QStringLiteral("lstRecords"))->count();
    }
    QCOMPARE(seen, expected);
    QCOMPARE(c.messages.count(), 0);
    QCOMPARE(readAll(c.registry()), cut);
}

QTEST_MAIN(TestRegistryFaults)
#include "tst_registryfaults.moc"
