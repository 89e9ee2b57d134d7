// Every action on the registry file under the faults a disk can show: a program folder that
// cannot be written, a registry that may not be opened for writing or at all, a folder in its
// place, a device that fills up while a card is written and a file cut short. Each action gives
// its message, or its silence, and every byte stored before stays where it was.

#include "core/registry/registry.h"
#include "registry/cardscreen_support.h"

#include "register/menucamere.h"
#include "registry/expclienti.h"
#include "registry/exportgrid.h"
#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"

#include <QDir>
#include <QListWidget>
#include <QtTest/QtTest>

#include <functional>
#include <optional>

using F = AnagraficaField;

namespace {

enum class Fault { ReadOnlyFolder, ReadOnlyFile, UnreadableFile, FolderInPlace };

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
        {"card: first", MessageKind::Error, [](CardScreen& c) { c.screen->imgPrimaClick(); }},
        {"card: previous", MessageKind::Error,
         [](CardScreen& c) { c.screen->imgPrecedenteClick(); }},
        {"card: next", MessageKind::Error, [](CardScreen& c) { c.screen->imgSuccessivaClick(); }},
        {"card: last", MessageKind::Error, [](CardScreen& c) { c.screen->imgUltimaClick(); }},
        {"card: save new", MessageKind::Error,
         [](CardScreen& c) {
             c.fillCompulsory(QStringLiteral("Bozza"));
             c.screen->cmdSalvaClick();
             QCOMPARE(c.position(), QString());
         }},
        {"card: save in place", MessageKind::Error,
         [](CardScreen& c) {
             presetStoredCard(c);
             c.screen->cmdSalvaClick();
             QCOMPARE(c.position(), QStringLiteral("1"));
         }},
        {"card: duplicate", MessageKind::Error,
         [](CardScreen& c) {
             presetStoredCard(c);
             c.screen->cmdDuplicaClick();
         }},
        {"search", MessageKind::Plain,
         [](CardScreen& c) {
             TfrmTrovaClienti search(c.screen.get());
             search.lblMemory->setText(QStringLiteral("clienti"));
             search.btnCercaClick();
             QVERIFY(search.panFiltri->isVisibleTo(&search));
             QCOMPARE(search.lstRecords->count(), 0);
         }},
        {"recontact list", std::nullopt,
         [](CardScreen& c) {
             TfrmRicontatta list(c.screen.get());
             list.FormShow();
             QCOMPARE(list.lstRecords->count(), 0);
         }},
        {"export grid", std::nullopt,
         [](CardScreen& c) {
             TfrmExpClienti exporter(c.screen.get());
             exporter.FormShow();
             QCOMPARE(exporter.model()->rowCount(), kExportEmptyRows);
             QCOMPARE(exporter.model()->cell(0, 1), QString());
         }},
        {"register list", std::nullopt,
         [](CardScreen&) {
             TfrmMenuCamere selection;
             selection.FormShow();
             QCOMPARE(selection.lstRecords->count(), 0);
         }},
    };
    return actions;
}

QStringList folderEntries(const QString& path)
{
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                | QDir::NoDotAndDotDot);
}

} // namespace

class TestRegistryFaults : public QObject {
    Q_OBJECT

private slots:
    void accessFailures_data();
    void accessFailures();
    void deviceFillsUpWhileSaving_data();
    void deviceFillsUpWhileSaving();
    void registryCutShort_data();
    void registryCutShort();
};

void TestRegistryFaults::accessFailures_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("fault");
    const std::pair<Fault, const char*> faults[] = {
        {Fault::ReadOnlyFolder, "read-only program folder, no registry yet"},
        {Fault::ReadOnlyFile, "read-only registry"},
        {Fault::UnreadableFile, "unreadable registry"},
        {Fault::FolderInPlace, "a folder named Anagrafica.pro"},
    };
    for (size_t a = 0; a < registryActions().size(); ++a) {
        for (const auto& [fault, faultName] : faults)
            QTest::addRow("%s, %s", registryActions()[a].name, faultName) << int(a) << int(fault);
    }
}

void TestRegistryFaults::accessFailures()
{
    QFETCH(int, action);
    QFETCH(int, fault);
    const RegistryAction& act = registryActions()[size_t(action)];
    CardScreen c;
    const QString registry = c.registry();
    openToAll(c.folder.path());
    switch (Fault(fault)) {
    case Fault::ReadOnlyFolder:
        break;
    case Fault::ReadOnlyFile:
    case Fault::UnreadableFile:
        QVERIFY(writeAll(registry, storedRegistry()));
        setMode(registry, Fault(fault) == Fault::ReadOnlyFile ? 0444 : 0);
        break;
    case Fault::FolderInPlace:
        QVERIFY(QDir().mkdir(registry));
        QVERIFY(writeAll(registry + QStringLiteral("/dentro"), "resta"));
        break;
    }
    const QStringList before = folderEntries(c.folder.path());
    if (Fault(fault) == Fault::ReadOnlyFolder)
        setMode(c.folder.path(), 0555);
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
    QCOMPARE(folderEntries(c.folder.path()), before);
    switch (Fault(fault)) {
    case Fault::ReadOnlyFolder:
        QVERIFY(!QFileInfo::exists(registry));
        break;
    case Fault::ReadOnlyFile:
    case Fault::UnreadableFile:
        setMode(registry, 0644);
        QCOMPARE(readAll(registry), storedRegistry());
        break;
    case Fault::FolderInPlace:
        QVERIFY(QFileInfo(registry).isDir());
        QCOMPARE(readAll(registry + QStringLiteral("/dentro")), QByteArray("resta"));
        break;
    }
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
    const QByteArray whole = cardsFile({sampleCard(QStringLiteral("Uno")),
                                        sampleCard(QStringLiteral("Due")),
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
        seen = search.lstRecords->count();
    } else if (reader == QLatin1String("recontact")) {
        TfrmRicontatta list(c.screen.get());
        list.FormShow();
        seen = list.lstRecords->count();
        QVERIFY(list.lstRecords->item(0)->text().startsWith(QStringLiteral("Tre Anna")));
    } else if (reader == QLatin1String("export")) {
        TfrmExpClienti exporter(c.screen.get());
        exporter.FormShow();
        seen = exporter.model()->rowCount();
        QCOMPARE(exporter.model()->cell(2, 1), QStringLiteral("Tre Anna"));
    } else {
        TfrmMenuCamere selection;
        selection.FormShow();
        seen = selection.lstRecords->count();
    }
    QCOMPARE(seen, expected);
    QCOMPARE(c.messages.count(), 0);
    QCOMPARE(readAll(c.registry()), cut);
}

QTEST_MAIN(TestRegistryFaults)
#include "tst_registryfaults.moc"
