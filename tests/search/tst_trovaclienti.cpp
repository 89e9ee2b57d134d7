// The registry search: filters, the sorted result list with its count, "Trova", opening a card
// on the card screen by a double click, printing, and the failure of an unreadable registry.

#include "search_support.h"

#include "core/reports/reportdocument.h"
#include "registry/trovaclienti.h"
#include "ui/reportoutput.h"

#include "common/modaltest.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest/QtTest>

using F = AnagraficaField;

namespace {

const QString kAccessFailure = QString::fromUtf8(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
    "possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kEmptyList =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

} // namespace

class TestTrovaClienti : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensOnTheFilterPanel();
    void search_data();
    void search();
    void waitLabelOnMouseDown();
    void unreadableRegistry();
    void trova();
    void doubleClickOpensTheCard_data();
    void doubleClickOpensTheCard();
    void doubleClickWithoutEffect_data();
    void doubleClickWithoutEffect();
    void keyboardFindsAndOpens();
    void noLineUnderThePointer();
    void openedCardIsSavedInPlace();
    void printsTheFoundLines();

private:
    TfrmTrovaClienti* openSearch();
    void cerca(const QList<QPair<F, QString>>& typed = {});

    std::unique_ptr<CardScreen> m_card;
    std::unique_ptr<TfrmTrovaClienti> m_search;
};

void TestTrovaClienti::init()
{
    m_card = std::make_unique<CardScreen>();
    QVERIFY(writeAll(m_card->registry(), fixtureRegistry()));
}

void TestTrovaClienti::cleanup()
{
    m_search.reset();
    m_card.reset();
}

TfrmTrovaClienti* TestTrovaClienti::openSearch()
{
    m_search = std::make_unique<TfrmTrovaClienti>(m_card->screen.get());
    m_search->show();
    QApplication::setActiveWindow(m_search.get());
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(m_search.get());
    return m_search.get();
}

void TestTrovaClienti::cerca(const QList<QPair<F, QString>>& typed)
{
    for (const auto& [field, text] : typed)
        typeInto(searchFilter(m_search.get(), field), text);
    QTest::mouseClick(named<QPushButton>(m_search.get(), "btnCerca"), Qt::LeftButton);
}

void TestTrovaClienti::opensOnTheFilterPanel()
{
    TfrmTrovaClienti* s = openSearch();
    QCOMPARE(s->objectName(), QStringLiteral("frmTrovaClienti"));
    QCOMPARE(s->windowTitle(), QStringLiteral(" Trova schede anagrafiche in archivio"));
    QCOMPARE(s->size(), QSize(862, 560));
    QVERIFY(named(s, "panFiltri")->isVisible());
    QVERIFY(!named(s, "panRisultati")->isVisible());
    QVERIFY(!named<QLabel>(s, "lblAttendere")->isVisible());
    QCOMPARE(named<QLabel>(s, "lblTrovate")->text(),
             QStringLiteral("Il presente elenco contiene 0 schede."));

    // Enter walks the ten filters in table order and comes back to the first; the yellow
    // highlight follows the focus.
    const QStringList chain = {"txtCognome",   "txtDitta",  "txtPartitaIva", "txtCodFisc",
                               "txtComuneRes", "txtTelCel", "txtConducente", "txtCodiceDest",
                               "txtQuestioni", "txtNote",   "txtCognome"};
    for (int i = 0; i + 1 < chain.size(); ++i) {
        QCOMPARE(m_card->focusName(), chain[i]);
        auto* highlight = s->findChild<QWidget*>(QStringLiteral("eff") + chain[i].mid(3));
        QVERIFY(highlight && highlight->isVisible());
        pressKey(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(m_card->focusName(), chain.last());
    QVERIFY(!s->findChild<QWidget*>(QStringLiteral("effNote"))->isVisible());
    for (const char* picture : {"titRisultati", "icoLente", "icoSpiegazione", "icoColonna"})
        QVERIFY2(s->findChild<Picture*>(QString::fromLatin1(picture))->hasArtwork(), picture);
}

void TestTrovaClienti::search_data()
{
    // Filters as "field=text": the text after the first '=' is typed as it stands.
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("all filters empty: every card, sorted without case")
        << QStringList{}
        << QStringList{"Abbondanzieri Bartolomeo Massi",
                       "Bianchi Luca",
                       "De Rossi Anna",
                       "Neri Giulio",
                       "Neri Giulio",
                       "Rossi Mario",
                       "Rossini Carla",
                       "verdi Paola",
                       QString::fromUtf8("Èboli Piero")};
    QTest::newRow("ross finds Rossi, Rossini and De Rossi")
        << QStringList{"txtCognome=ross"}
        << QStringList{"De Rossi Anna", "Rossi Mario", "Rossini Carla"};
    QTest::newRow("ross with a trailing blank finds none")
        << QStringList{"txtCognome=ross "} << QStringList{};
    QTest::newRow("two filters combine as AND")
        << QStringList{"txtCognome=ross", "txtComuneRes=ROMA"}
        << QStringList{"De Rossi Anna", "Rossi Mario"};
    QTest::newRow("accented capital not found by the small letter")
        << QStringList{QString::fromUtf8("txtCognome=è")} << QStringList{};
    QTest::newRow("a single card found") << QStringList{QString::fromUtf8("txtCognome=È")}
                                         << QStringList{QString::fromUtf8("Èboli Piero")};
    QTest::newRow("each filter looks in its own field")
        << QStringList{"txtConducente=autista", "txtCodiceDest=krrh", "txtNote=60 giorni"}
        << QStringList{"Bianchi Luca"};
}

void TestTrovaClienti::search()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, names);
    TfrmTrovaClienti* s = openSearch();
    for (const QString& filter : typed) {
        const qsizetype eq = filter.indexOf(QLatin1Char('='));
        auto* field = s->findChild<QLineEdit*>(filter.left(eq));
        QVERIFY(field);
        typeInto(field, filter.mid(eq + 1));
    }
    QTest::mouseClick(named<QPushButton>(s, "btnCerca"), Qt::LeftButton);

    QCOMPARE(m_card->messages.count(), 0);
    QVERIFY(named(s, "panRisultati")->isVisible());
    QVERIFY(!named(s, "panFiltri")->isVisible());
    QCOMPARE(m_card->focusName(), QStringLiteral("txtTrova"));
    QStringList shown;
    for (int row = 0; row < lineCount(listOf(s)); ++row)
        shown.append(lineAt(listOf(s), row));
    QCOMPARE(shown, s->lines());
    QCOMPARE(namesOf(shown), names);
    for (const QString& line : shown)
        QCOMPARE(line.mid(30, 7), QStringLiteral("  Tel. "));
    QCOMPARE(named<QLabel>(s, "lblTrovate")->text(),
             QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(names.size()));
}

void TestTrovaClienti::waitLabelOnMouseDown()
{
    TfrmTrovaClienti* s = openSearch();
    QTest::mousePress(named<QPushButton>(s, "btnCerca"), Qt::LeftButton);
    QVERIFY(named<QLabel>(s, "lblAttendere")->isVisible());
    QVERIFY(named(s, "panFiltri")->isVisible());
    QTest::mouseRelease(named<QPushButton>(s, "btnCerca"), Qt::LeftButton);
    QVERIFY(named(s, "panRisultati")->isVisible());
    s->close();
    QVERIFY(!named<QLabel>(s, "lblAttendere")->isVisible());
    QCOMPARE(lineCount(listOf(s)), 0);
}

void TestTrovaClienti::unreadableRegistry()
{
    QVERIFY(QFile::remove(m_card->registry()));
    QVERIFY(QDir().mkdir(m_card->registry()));
    TfrmTrovaClienti* s = openSearch();
    cerca({{F::Cognome, "ross"}});
    QCOMPARE(m_card->messages.count(), 1);
    QCOMPARE(m_card->messages.last().kind, MessageKind::Plain);
    QCOMPARE(m_card->messages.last().text, kAccessFailure);
    QVERIFY(named(s, "panFiltri")->isVisible());
    QVERIFY(!named(s, "panRisultati")->isVisible());
    QCOMPARE(searchFilter(s, F::Cognome)->text(), QStringLiteral("ross"));
}

void TestTrovaClienti::trova()
{
    TfrmTrovaClienti* s = openSearch();
    cerca();
    // Enter in the key field only moves on to the button.
    typeInto(findField(s), QStringLiteral("NERI"));
    pressKey(findField(s), Qt::Key_Return);
    QCOMPARE(m_card->focusName(), QStringLiteral("btnTrova"));
    QCOMPARE(currentRowOf(listOf(s)), -1);

    for (int expected : {3, 4, 3}) {
        QTest::mouseClick(named<QPushButton>(s, "btnTrova"), Qt::LeftButton);
        QCOMPARE(currentRowOf(listOf(s)), expected);
        QVERIFY(currentIsSelected(listOf(s)));
    }
    findField(s)->setText(QStringLiteral("assente"));
    QTest::mouseClick(named<QPushButton>(s, "btnTrova"), Qt::LeftButton);
    QCOMPARE(currentRowOf(listOf(s)), 3);
    QCOMPARE(m_card->messages.count(), 0);

    // A search that found nothing: "Trova" says the list is empty.
    m_search.reset();
    s = openSearch();
    cerca({{F::Cognome, "nessuno"}});
    typeInto(findField(s), QStringLiteral("neri"));
    QTest::mouseClick(named<QPushButton>(s, "btnTrova"), Qt::LeftButton);
    QCOMPARE(m_card->messages.count(), 1);
    QCOMPARE(m_card->messages.last().kind, MessageKind::Plain);
    QCOMPARE(m_card->messages.last().text, kEmptyList);
}

void TestTrovaClienti::doubleClickOpensTheCard_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("email");
    QTest::newRow("a card") << "Rossini"
                            << "4"
                            << "carla@rossini.it";
    QTest::newRow("identical lines open the later card") << "Neri"
                                                         << "9"
                                                         << "secondo@neri.it";
}

void TestTrovaClienti::doubleClickOpensTheCard()
{
    QFETCH(QString, surname);
    QFETCH(QString, position);
    QFETCH(QString, email);
    TfrmTrovaClienti* s = openSearch();
    cerca({{F::Cognome, surname}});
    doubleClickRow(listOf(s), 0);

    QVERIFY(!s->isVisible());
    QCOMPARE(m_card->position(), position);
    QCOMPARE(m_card->text(F::Cognome), surname);
    QCOMPARE(m_card->text(F::Email), email);
    QCOMPARE(m_card->messages.count(), 0);
}

void TestTrovaClienti::doubleClickWithoutEffect_data()
{
    QTest::addColumn<bool>("selectLine");
    QTest::addColumn<bool>("registryGone");
    QTest::newRow("no line selected") << false << false;
    QTest::newRow("registry unreadable") << true << true;
}

void TestTrovaClienti::doubleClickWithoutEffect()
{
    QFETCH(bool, selectLine);
    QFETCH(bool, registryGone);
    m_card->set(F::Cognome, QStringLiteral("Bozza"));
    TfrmTrovaClienti* s = openSearch();
    cerca();
    if (registryGone) {
        QVERIFY(QFile::remove(m_card->registry()));
        QVERIFY(QDir().mkdir(m_card->registry()));
    }
    if (selectLine)
        setCurrentRow(listOf(s), 2);
    s->lstRecordsDblClick();

    QVERIFY(!s->isVisible());
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Bozza"));
    QCOMPARE(m_card->position(), QString());
    QCOMPARE(m_card->messages.count(), 0);
}

// The keyboard path: Enter in the key field moves to "Trova", Enter there finds; Tab into the
// list lands on a selected line, and Enter opens that line's card.
void TestTrovaClienti::keyboardFindsAndOpens()
{
    TfrmTrovaClienti* s = openSearch();
    cerca();
    findField(s)->setFocus();
    typeInto(findField(s), QStringLiteral("NERI"));
    QTest::keyClick(findField(s), Qt::Key_Return);
    QCOMPARE(m_card->focusName(), QStringLiteral("btnTrova"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(currentRowOf(listOf(s)), 3);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(currentRowOf(listOf(s)), 4);
    QVERIFY(s->isVisible());

    m_search.reset();
    s = openSearch();
    cerca();
    findField(s)->setFocus();
    QTest::keyClick(findField(s), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(m_card->focusName(), QStringLiteral("lstRecords"));
    QCOMPARE(currentRowOf(listOf(s)), 0);
    QVERIFY(currentIsSelected(listOf(s)));
    QTest::keyClick(listOf(s), Qt::Key_Down);
    const QString surname = namesOf(s->lines()).value(1);
    QTest::keyClick(listOf(s), Qt::Key_Return);
    QVERIFY(!s->isVisible());
    QVERIFY(surname.startsWith(m_card->text(F::Cognome) + QLatin1Char(' ')));
    QVERIFY(!m_card->position().isEmpty());
}

// A click or a double click below the last line leaves the list and the card screen alone.
void TestTrovaClienti::noLineUnderThePointer()
{
    m_card->set(F::Cognome, QStringLiteral("Bozza"));
    TfrmTrovaClienti* s = openSearch();
    cerca({{F::Cognome, QStringLiteral("Rossini")}});
    QCOMPARE(lineCount(listOf(s)), 1);
    const QPoint below(20, listOf(s)->viewport()->height() - 10);
    QVERIFY(!listOf(s)->indexAt(below).isValid());
    QTest::mouseClick(listOf(s)->viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(listOf(s)->viewport(), Qt::LeftButton, {}, below);
    QVERIFY(s->isVisible());
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Bozza"));
    QCOMPARE(m_card->position(), QString());
    // The line itself still opens.
    doubleClickRow(listOf(s), 0);
    QVERIFY(!s->isVisible());
    QCOMPARE(m_card->text(F::Cognome), QStringLiteral("Rossini"));
}

void TestTrovaClienti::openedCardIsSavedInPlace()
{
    // From the card screen's button, as the user does it: search, double click, change, save.
    const QByteArray before = readAll(m_card->registry());
    bool opened = false;
    whenModal([&](QWidget* dialog) {
        auto* s = qobject_cast<TfrmTrovaClienti*>(dialog);
        QVERIFY(s);
        QCOMPARE(m_card->focusName(), QStringLiteral("txtCognome"));
        typeInto(searchFilter(s, F::ComuneRes), QStringLiteral("roma"));
        QTest::mouseClick(named<QPushButton>(s, "btnCerca"), Qt::LeftButton);
        QCOMPARE(namesOf(s->lines()), (QStringList{"De Rossi Anna", "Rossi Mario"}));
        doubleClickRow(listOf(s), 1);
        opened = !s->isVisible();
    });
    m_card->screen->cmdTrovaClick();
    QVERIFY(opened);
    QVERIFY(m_card->screen->findChildren<TfrmTrovaClienti*>().isEmpty());
    QCOMPARE(m_card->position(), QStringLiteral("1"));
    QCOMPARE(m_card->text(F::Note), QStringLiteral("Cliente storico"));
    QVERIFY(m_card->ricontatta()->isChecked());

    m_card->set(F::Note, QStringLiteral("Cliente dal 1990"));
    m_card->screen->cmdSalvaClick();
    QCOMPARE(m_card->messages.last().text,
             QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in "
                            "archivio."));
    const QByteArray after = readAll(m_card->registry());
    QCOMPARE(after.size(), before.size());
    QCOMPARE(AnagraficaRecord(after.left(AnagraficaRecord::kSize)).get(F::Note),
             QStringLiteral("Cliente dal 1990"));
    QCOMPARE(after.mid(AnagraficaRecord::kSize), before.mid(AnagraficaRecord::kSize));
}

void TestTrovaClienti::printsTheFoundLines()
{
    PrintDialogRecorder printer;
    TfrmTrovaClienti* s = openSearch();
    cerca({{F::Cognome, "ross"}});
    QTest::mouseClick(named<QPushButton>(s, "btnStampa"), Qt::LeftButton);

    QVERIFY(s->isVisible());
    QCOMPARE(printer.jobs().size(), 1);
    QCOMPARE(printer.jobs().first().title, QStringLiteral("Riepilogo dati"));
    ReportDocument& report = s->report();
    QCOMPARE(report.text(QStringLiteral("txtTitolo"))->text(),
             QStringLiteral("Riepilogo schede anagrafiche"));
    QCOMPARE(report.text(QStringLiteral("txtRiepilogo"))->lines, s->lines());
    const PreparedPage& page = printer.jobs().first().pages.front();
    QCOMPARE(page.find(QStringLiteral("txtRiepilogo"))->lines.size(), 3);
    QVERIFY(page.find(QStringLiteral("txtRiepilogo"))
                ->lines.first()
                .startsWith(QStringLiteral("De Rossi Anna")));
}

QTEST_MAIN(TestTrovaClienti)
#include "tst_trovaclienti.moc"
