// The person and year selection, driven through its handlers: list lines, Trova, the year
// edit, the Apri checks and the hand-over to the calendar or the start menu.

#include "common/testsupport.h"
#include "core/base/clock.h"
#include "core/base/findinlist.h"
#include "core/registry/registry.h"
#include "core/storage/text.h"
#include "register_support.h"
#include "ui/messages.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest/QtTest>

namespace {

const QString kLongName = QStringLiteral("Bartolomei Della Valle");
const QString kLongFirst = QStringLiteral("Gianfrancesco Maria");

QList<AnagraficaRecord> registryCards()
{
    return {
        makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("333 1234567"),
                 QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("Magazzino")),
        // No codice fiscale: not listed.
        makeCard(QStringLiteral("Bianchi"), QStringLiteral("Anna"), QStringLiteral("06 555"),
                 QString()),
        makeCard(kLongName, kLongFirst, QStringLiteral("  02 98765432  "),
                 QStringLiteral("BRTGNF70B02F205X"),
                 QStringLiteral("Responsabile di turno del reparto spedizioni e logistica")),
        makeCard(QStringLiteral("Verdi"), QString::fromUtf8("Élena"), QStringLiteral("011 22"),
                 QStringLiteral("VRDLNE90C43L219K"), QStringLiteral("Rossi team")),
    };
}

QListWidget* listOf(QWidget* screen)
{
    return screen->findChild<QListWidget*>(QStringLiteral("lstRecords"));
}
QLineEdit* edit(QWidget* screen, const char* name)
{
    return screen->findChild<QLineEdit*>(QString::fromLatin1(name));
}
QPushButton* button(QWidget* screen, const char* name)
{
    return screen->findChild<QPushButton*>(QString::fromLatin1(name));
}
Picture* picture(QWidget* screen, const char* name)
{
    return screen->findChild<Picture*>(QString::fromLatin1(name));
}

QStringList listLines(TfrmMenuCamere* s)
{
    QStringList lines;
    for (int i = 0; i < listOf(s)->count(); ++i)
        lines.append(listOf(s)->item(i)->text());
    return lines;
}

} // namespace

class TestSelection : public QObject {
    Q_OBJECT

private slots:
    void init() { setClockForTests(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 3))); }
    void cleanup() { setClockForTests(QDateTime()); }

    void listLinesInFileOrder();
    void clickChoosesTheLastMatchingCard();
    void findWalk_data();
    void findWalk();
    void trovaThroughTheScreen();
    void emptyRegistry();
    void yearKeyFilter();
    void apriWarnings();
    void apriHandsOverToTheCalendar();
    void closingReturnsToTheStartMenu();
};

void TestSelection::listLinesInFileOrder()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.enterSelection();
    QVERIFY(s.selection->isVisible());
    QVERIFY(!s.avvio->isVisible());

    const QStringList expected = {
        QStringLiteral("Rossi Mario                   ") + QStringLiteral("  Tel. ")
            + QStringLiteral("333 1234567     ") + QStringLiteral("  C.F. ")
            + QStringLiteral("RSSMRA80A01H501U") + QStringLiteral("  Mansioni: ")
            + QStringLiteral("Magazzino                       "),
        // The name is cut at 30 characters, the duties at 32; the telephone is trimmed.
        QStringLiteral("Bartolomei Della Valle Gianfra") + QStringLiteral("  Tel. ")
            + QStringLiteral("02 98765432     ") + QStringLiteral("  C.F. ")
            + QStringLiteral("BRTGNF70B02F205X") + QStringLiteral("  Mansioni: ")
            + QStringLiteral("Responsabile di turno del repart"),
        QString::fromUtf8("Verdi Élena                   ") + QStringLiteral("  Tel. ")
            + QStringLiteral("011 22          ") + QStringLiteral("  C.F. ")
            + QStringLiteral("VRDLNE90C43L219K") + QStringLiteral("  Mansioni: ")
            + QStringLiteral("Rossi team                      "),
    };
    QCOMPARE(listLines(s.selection), expected);
    for (const QString& line : expected)
        QCOMPARE(line.size(), 120);
    // Nothing selected; the year is the current one; the labels start empty.
    QCOMPARE(listOf(s.selection)->selectedItems().size(), 0);
    QCOMPARE(edit(s.selection, "txtAnnoFatture")->text(), QStringLiteral("2024"));
    QCOMPARE(s.selection->choice().persona, QString());
    QVERIFY(picture(s.selection, "icoMano")->isHidden());
    // The screen hides no state in labels.
    for (const QLabel* label : s.selection->findChildren<QLabel*>())
        QVERIFY2(!label->isHidden(), qPrintable(label->objectName()));
}

void TestSelection::clickChoosesTheLastMatchingCard()
{
    TempProgramFolder folder;
    QList<AnagraficaRecord> cards = registryCards();
    // A second card giving the same line but other hidden details: the later card wins.
    AnagraficaRecord twin = cards[2];
    twin.set(AnagraficaField::Conducente,
             QStringLiteral("Responsabile di turno del reparto spedizioni, sede nord"));
    cards.append(twin);
    QVERIFY(writeAll(registryFilePath(), cardBytes(cards)));
    RegisterScreens s;
    s.enterSelection();
    QCOMPARE(listOf(s.selection)->count(), 4);

    QListWidget* list = listOf(s.selection);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(s.selection->choice().persona, kLongName + QLatin1Char(' ') + kLongFirst);
    QCOMPARE(s.selection->choice().recapito, QStringLiteral("02 98765432"));
    QCOMPARE(s.selection->choice().codFisc, QStringLiteral("BRTGNF70B02F205X"));
    QCOMPARE(s.selection->choice().mansioni,
             QStringLiteral("Responsabile di turno del reparto spedizioni, sede nord"));
    QVERIFY(!picture(s.selection, "icoMano")->isHidden());

    // The arrow keys move the selection without reading the registry (the person chosen stays
    // the clicked one); Apri looks up the line selected then, once.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 2);
    QVERIFY(!picture(s.selection, "icoMano")->isHidden());
    QCOMPARE(s.selection->choice().persona, kLongName + QLatin1Char(' ') + kLongFirst);
    QTest::mouseClick(button(s.selection, "btnApriFatture"), Qt::LeftButton);
    QVERIFY(s.calendar->isVisible());
    QCOMPARE(s.calendar->persona(), QString::fromUtf8("Verdi Élena"));
    QCOMPARE(s.calendar->recapito(), QStringLiteral("011 22"));
}

void TestSelection::findWalk_data()
{
    // Lines 0..3; each step: key, the key of the previous search, the selected line, result.
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("lastKey");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("found");
    // clang-format off
    QTest::newRow("new key starts at the top")          << "rossi"   << ""        << 2 << 0;
    QTest::newRow("same key finds the next")            << "rossi"   << "rossi"   << 0 << 3;
    QTest::newRow("same key wraps round")               << "rossi"   << "rossi"   << 3 << 0;
    QTest::newRow("single match stays")                 << "bianchi" << "bianchi" << 1 << 1;
    QTest::newRow("new key tests the first line first") << "tel."    << "x"       << 3 << 0;
    QTest::newRow("a blank matches")                    << " "       << ""        << 0 << 0;
    QTest::newRow("empty key matches nothing")          << ""        << ""        << 0 << -1;
    QTest::newRow("no match")                           << "zeta"    << ""        << 0 << -1;
    QTest::newRow("capitals A to Z are lowered")        << "NERI"    << ""        << 0 << 3;
    QTest::newRow("accented capital is not lowered")    << QString::fromUtf8("ÉLENA") << "" << 0 << -1;
    QTest::newRow("accented text as written")           << QString::fromUtf8("élena") << "" << 0 << 2;
    // clang-format on
}

void TestSelection::findWalk()
{
    QFETCH(QString, key);
    QFETCH(QString, lastKey);
    QFETCH(int, selected);
    QFETCH(int, found);
    const QStringList lines = {
        QStringLiteral("Rossi Mario  Tel. 1"),
        QStringLiteral("Bianchi Anna  Tel. 2"),
        QString::fromUtf8("Verdi élena  Tel. 3"),
        QStringLiteral("Neri Paolo  Tel. 4  ROSSI"),
    };
    QString remembered = lastKey;
    const FindInListResult result = FindInList(lines, selected, key, remembered);
    QCOMPARE(result.outcome == FindInListResult::Found ? result.selection : -1, found);
    QCOMPARE(remembered, lowerAZ(key));
}

void TestSelection::trovaThroughTheScreen()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.enterSelection();
    TfrmMenuCamere* sel = s.selection;

    // Capitals A to Z are lowered: "ROSSI" finds Rossi Mario first, then Verdi (duties "Rossi
    // team"), then wraps back to Rossi.
    edit(sel, "txtTrova")->setText(QStringLiteral("ROSSI"));
    const int expected[] = {0, 2, 0};
    for (int row : expected) {
        QTest::mouseClick(button(sel, "btnTrova"), Qt::LeftButton);
        QCOMPARE(listOf(sel)->currentRow(), row);
        QCOMPARE(listOf(sel)->selectedItems().size(), 1);
    }
    QCOMPARE(sel->choice().persona, QStringLiteral("Rossi Mario"));
    QVERIFY(!picture(sel, "icoMano")->isHidden());
    QCOMPARE(sel->lastSearch(), QStringLiteral("rossi"));

    // An empty search text matches nothing: the selection goes, the labels stay.
    edit(sel, "txtTrova")->clear();
    sel->btnTrovaClick();
    QCOMPARE(listOf(sel)->selectedItems().size(), 0);
    QVERIFY(picture(sel, "icoMano")->isHidden());
    QCOMPARE(sel->choice().persona, QStringLiteral("Rossi Mario"));

    // Enter in the search field moves to Trova without searching.
    QApplication::setActiveWindow(sel);
    edit(sel, "txtTrova")->setFocus();
    edit(sel, "txtTrova")->setText(QStringLiteral("verdi"));
    QTest::keyClick(edit(sel, "txtTrova"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button(sel, "btnTrova"));
    QCOMPARE(listOf(sel)->selectedItems().size(), 0);

    // The last search text outlives a new showing of the screen: the same key finds the next.
    sel->btnTrovaClick();
    QCOMPARE(listOf(sel)->currentRow(), 2);
    sel->close();
    s.enterSelection();
    QCOMPARE(sel->lastSearch(), QStringLiteral("verdi"));
    QCOMPARE(edit(sel, "txtTrova")->text(), QString());
}

void TestSelection::emptyRegistry()
{
    TempProgramFolder folder;
    MessageRecorder messages;
    RegisterScreens s;
    s.enterSelection();
    // Showing the screen creates the registry file, empty.
    QVERIFY(QFileInfo::exists(registryFilePath()));
    QCOMPARE(QFileInfo(registryFilePath()).size(), 0);
    QCOMPARE(listOf(s.selection)->count(), 0);

    s.selection->btnTrovaClick();
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Plain);
    QCOMPARE(messages.last().text,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));

    s.selection->btnApriFattureClick();
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QCOMPARE(messages.last().text,
             QString::fromUtf8("Attenzione: l'elenco delle schede anagrafiche non contiene nessuna "
                               "voce.\n\r\n\rPer poter utilizzare il registro delle presenze è "
                               "necessario salvare almeno una scheda anagrafica."));
    QVERIFY(s.selection->isVisible());
}

void TestSelection::yearKeyFilter()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.enterSelection();
    s.clickRow(0);
    QLineEdit* year = edit(s.selection, "txtAnnoFatture");
    QApplication::setActiveWindow(s.selection);
    year->setFocus();
    year->clear();
    QTest::keyClicks(year, QStringLiteral("2a0-2 .x"));
    QCOMPARE(year->text(), QStringLiteral("202"));
    QTest::keyClick(year, Qt::Key_Backspace);
    QTest::keyClicks(year, QStringLiteral("1999"));
    QCOMPARE(year->text(), QStringLiteral("2019")); // at most four characters
    QTest::keyClick(year, Qt::Key_Left);
    QTest::keyClick(year, Qt::Key_Delete);
    QCOMPARE(year->text(), QStringLiteral("201"));
    // A paste brings in the digits of what was copied, no more than fit.
    QApplication::clipboard()->setText(QStringLiteral("abcd"));
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(year->text(), QStringLiteral("201"));
    QApplication::clipboard()->setText(QStringLiteral("anno 2024."));
    QTest::keyClick(year, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(year, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(year->text(), QStringLiteral("2024"));
    // The chain ends on Apri, and Enter there opens the year.
    QTest::keyClick(year, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), button(s.selection, "btnApriFatture"));
    QVERIFY(!s.calendar->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(s.calendar->isVisible());
    QVERIFY(!s.selection->isVisible());
    QCOMPARE(s.calendar->anno(), QStringLiteral("2024"));
}

void TestSelection::apriWarnings()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    MessageRecorder messages;
    RegisterScreens s;
    s.enterSelection();
    TfrmMenuCamere* sel = s.selection;
    const QString fourDigits =
        QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre.");
    const QString selectFirst = QStringLiteral("Attenzione: selezionare una scheda anagrafica "
                                               "dall'elenco prima di premere il pulsante Apri.");

    // The length is checked first, on the text as it is (" 202" has four characters).
    struct Case {
        const char* year;
        int row;
        QString message;
    };
    const Case cases[] = {
        {"202", 0, fourDigits},
        {"", 0, fourDigits},
        {" 202", -1, selectFirst},
        {"2024", -1, selectFirst},
    };
    for (const Case& c : cases) {
        messages.clear();
        listOf(s.selection)->setCurrentRow(c.row);
        if (c.row < 0)
            listOf(s.selection)->clearSelection();
        edit(sel, "txtAnnoFatture")->setText(QString::fromLatin1(c.year));
        sel->btnApriFattureClick();
        QCOMPARE(messages.count(), 1);
        QCOMPARE(messages.last().kind, MessageKind::Warning);
        QCOMPARE(messages.last().text, c.message);
        QVERIFY(sel->isVisible());
        QVERIFY(!s.calendar->isVisible());
    }

    // After a search that found nothing the labels still hold a person, yet Apri asks for one.
    s.clickRow(0);
    edit(sel, "txtTrova")->setText(QStringLiteral("nessuno"));
    sel->btnTrovaClick();
    QCOMPARE(sel->choice().persona, QStringLiteral("Rossi Mario"));
    messages.clear();
    edit(sel, "txtAnnoFatture")->setText(QStringLiteral("2024"));
    sel->btnApriFattureClick();
    QCOMPARE(messages.last().text, selectFirst);
    QVERIFY(sel->isVisible());
}

void TestSelection::apriHandsOverToTheCalendar()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    MessageRecorder messages;
    RegisterScreens s;
    s.openCalendar(1, QStringLiteral("0000"));
    QCOMPARE(messages.count(), 0);
    QVERIFY(!s.selection->isVisible());
    QVERIFY(s.calendar->isVisible());
    const QString file =
        folder.file(QStringLiteral("Registro presenze BRTGNF70B02F205X anno 0000.vsr"));
    QCOMPARE(s.selection->choice().file, file);
    QCOMPARE(s.selection->choice().year, QStringLiteral("0000"));
    QCOMPARE(s.calendar->year().path(), file);
    QCOMPARE(s.calendar->windowTitle(), QStringLiteral(" Vestrano - Anno 0000"));
    // The name is whole in the header although the list line cut it.
    const QStringList header = {QStringLiteral("0000"), kLongName + QLatin1Char(' ') + kLongFirst,
                                QStringLiteral("02 98765432"), QStringLiteral("BRTGNF70B02F205X"),
                                QStringLiteral("Responsabile di turno del reparto spedizioni e "
                                               "logistica")};
    QCOMPARE(s.calendar->findChild<QLabel*>(QStringLiteral("txtAnno"))->text(), header.at(0));
    int i = 1;
    for (const char* name : {"txtPersona", "txtRecapito", "txtCodFisc", "txtMansioni"})
        QCOMPARE(edit(s.calendar, name)->text(), header.at(i++));
    QVERIFY(QFileInfo::exists(file));
}

void TestSelection::closingReturnsToTheStartMenu()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.enterSelection();
    QTest::mouseClick(picture(s.selection, "imgEsci"), Qt::LeftButton);
    QVERIFY(s.avvio->isVisible());
    QVERIFY(!s.selection->isVisible());

    // Also after a visit to the calendar, whose closing leads to the start menu as well.
    s.openCalendar(0, QStringLiteral("2024"));
    QVERIFY(s.calendar->isVisible());
    s.calendar->close();
    QVERIFY(s.avvio->isVisible());
    QVERIFY(!s.calendar->isVisible());
    s.enterSelection();
    QCOMPARE(listOf(s.selection)->selectedItems().size(), 0);
    s.selection->close(); // the window's close button
    QVERIFY(s.avvio->isVisible());
    QVERIFY(!s.selection->isVisible());
    QVERIFY(!s.calendar->isVisible());
}

QTEST_MAIN(TestSelection)
#include "tst_selection.moc"
