// The recontact list: the ticked cards with their pending issues, sorted; "Trova"; opening a
// card on the card screen; printing; and the silence on an unreadable registry.

#include "search_support.h"

#include "core/reports/reportdocument.h"
#include "registry/ricontatta.h"
#include "ui/reportoutput.h"

#include "common/modaltest.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest/QtTest>

using F = AnagraficaField;

class TestRicontatta : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsTheTickedCards();
    void tickedCardIsListedOnceSaved();
    void emptyList_data();
    void emptyList();
    void trovaFindsTheIssues();
    void doubleClickOpensTheCard();
    void printsTheList();

private:
    TfrmRicontatta* openList();

    std::unique_ptr<CardScreen> m_card;
    std::unique_ptr<TfrmRicontatta> m_list;
};

void TestRicontatta::init()
{
    m_card = std::make_unique<CardScreen>();
    QVERIFY(writeAll(m_card->registry(), fixtureRegistry()));
}

void TestRicontatta::cleanup()
{
    m_list.reset();
    m_card.reset();
}

TfrmRicontatta* TestRicontatta::openList()
{
    m_list = std::make_unique<TfrmRicontatta>(m_card->screen.get());
    m_list->show();
    QApplication::setActiveWindow(m_list.get());
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(m_list.get());
    return m_list.get();
}

void TestRicontatta::listsTheTickedCards()
{
    TfrmRicontatta* r = openList();
    QCOMPARE(r->objectName(), QStringLiteral("frmRicontatta"));
    QCOMPARE(r->windowTitle(), QStringLiteral(" Riepilogo persone da ricontattare"));
    QCOMPARE(r->size(), QSize(862, 560));
    QVERIFY(named<Picture>(r, "titRisultati")->hasArtwork());
    QCOMPARE(m_card->focusName(), QStringLiteral("txtTrova"));

    // Only "Sì" counts ("si" does not), sorted by name, whatever the file order.
    QCOMPARE(namesOf(r->lines()),
             (QStringList{"De Rossi Anna", "Neri Giulio", "Neri Giulio", "Rossi Mario"}));
    QCOMPARE(lineCount(listOf(r)), 4);
    QCOMPARE(lineAt(listOf(r), 0), r->lines().at(0));
    // Empty pending issues: the line ends in the two blanks after the town.
    QCOMPARE(r->lines().at(0).size(), 115);
    QVERIFY(r->lines().at(0).endsWith(QStringLiteral("Roma") + QString(24 + 2, QLatin1Char(' '))));
    QVERIFY(r->lines().at(3).endsWith(QStringLiteral("  Preventivo da richiamare")));
    QCOMPARE(m_card->messages.count(), 0);

    r->close();
    QCOMPARE(lineCount(listOf(r)), 0);
}

void TestRicontatta::tickedCardIsListedOnceSaved()
{
    // Bianchi, the second card, ticked on the card screen: listed only after it is saved.
    m_card->screen->imgPrimaClick();
    m_card->screen->imgSuccessivaClick();
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Bianchi"));
    m_card->ricontatta()->setChecked(true);

    QStringList listed;
    auto openFromCardScreen = [&] {
        whenModal([&](QWidget* dialog) {
            auto* r = qobject_cast<TfrmRicontatta*>(dialog);
            QVERIFY(r);
            listed = namesOf(r->lines());
        });
        m_card->screen->cmdRicontattaClick();
        QVERIFY(m_card->screen->findChildren<TfrmRicontatta*>().isEmpty());
    };
    openFromCardScreen();
    QVERIFY(!listed.contains(QStringLiteral("Bianchi Luca")));

    m_card->screen->cmdSalvaClick();
    openFromCardScreen();
    QCOMPARE(listed, (QStringList{"Bianchi Luca", "De Rossi Anna", "Neri Giulio", "Neri Giulio",
                                  "Rossi Mario"}));
}

void TestRicontatta::emptyList_data()
{
    QTest::addColumn<int>("registry"); // 0 no card ticked, 1 missing, 2 unreadable
    QTest::newRow("no card ticked") << 0;
    QTest::newRow("no registry yet") << 1;
    QTest::newRow("registry unreadable, said nothing") << 2;
}

void TestRicontatta::emptyList()
{
    QFETCH(int, registry);
    QVERIFY(QFile::remove(m_card->registry()));
    if (registry == 0)
        QVERIFY(writeAll(m_card->registry(), cardsFile({sampleCard(QStringLiteral("Gialli"))})));
    if (registry == 2)
        QVERIFY(QDir().mkdir(m_card->registry()));
    TfrmRicontatta* r = openList();
    QCOMPARE(lineCount(listOf(r)), 0);
    QCOMPARE(m_card->messages.count(), 0);
    QCOMPARE(QFileInfo(m_card->registry()).exists(), true);

    typeInto(findField(r), QStringLiteral("neri"));
    QTest::mouseClick(named<QPushButton>(r, "btnTrova"), Qt::LeftButton);
    QCOMPARE(m_card->messages.count(), 1);
    QCOMPARE(m_card->messages.last().kind, MessageKind::Plain);
    QCOMPARE(m_card->messages.last().text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
}

void TestRicontatta::trovaFindsTheIssues()
{
    TfrmRicontatta* r = openList();
    typeInto(findField(r), QStringLiteral("sollecito"));
    pressKey(findField(r), Qt::Key_Return);
    QCOMPARE(m_card->focusName(), QStringLiteral("btnTrova"));
    for (int expected : {1, 2, 1}) {
        QTest::mouseClick(named<QPushButton>(r, "btnTrova"), Qt::LeftButton);
        QCOMPARE(currentRowOf(listOf(r)), expected);
    }
}

void TestRicontatta::doubleClickOpensTheCard()
{
    TfrmRicontatta* r = openList();
    doubleClickRow(listOf(r), 1); // Neri, twice in the file: the later card
    QVERIFY(!r->isVisible());
    QCOMPARE(m_card->position(), QStringLiteral("9"));
    QCOMPARE(m_card->text(F::Email), QStringLiteral("secondo@neri.it"));
    QCOMPARE(m_card->text(F::Questioni), QStringLiteral("Sollecito"));
    QVERIFY(m_card->ricontatta()->isChecked());

    // Enter on a selected line does what a double click does.
    r = openList();
    listOf(r)->setFocus();
    setCurrentRow(listOf(r), 0);
    pressKey(listOf(r), Qt::Key_Return);
    QVERIFY(!r->isVisible());
    QCOMPARE(m_card->position(), QStringLiteral("3"));
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("De Rossi"));
}

void TestRicontatta::printsTheList()
{
    PrintDialogRecorder printer;
    TfrmRicontatta* r = openList();
    QTest::mouseClick(named<QPushButton>(r, "btnStampa"), Qt::LeftButton);
    QVERIFY(r->isVisible());
    QCOMPARE(printer.jobs().size(), 1);
    ReportDocument& report = r->report();
    QCOMPARE(report.text(QStringLiteral("txtTitolo"))->text(),
             QStringLiteral("Riepilogo persone da ricontattare"));
    QCOMPARE(report.text(QStringLiteral("txtRiepilogo"))->lines, r->lines());
}

QTEST_MAIN(TestRicontatta)
#include "tst_ricontatta.moc"
