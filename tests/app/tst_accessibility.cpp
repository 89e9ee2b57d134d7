// What a screen reader hears on every screen and dialog: commands are buttons, decoration is
// not, fields have names, labels that show data give their value, and no internal object name
// is ever read out.

#include "app/avvio.h"
#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "help/guida.h"
#include "help/info.h"
#include "help/splash.h"
#include "register/calendarsheetdialog.h"
#include "register/daygrid.h"
#include "register/giorno.h"
#include "register/menucamere.h"
#include "register/planning.h"
#include "register/riepprenotazioni.h"
#include "registry/allegacartella.h"
#include "registry/clienti.h"
#include "registry/expclienti.h"
#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"
#include "ui/decor.h"
#include "validators/frmcarta.h"
#include "validators/frmcodfisc.h"
#include "validators/frmiban.h"
#include "validators/frmpartitaiva.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QtTest>

#include <functional>
#include <memory>

namespace {

QAccessibleInterface* accessibleOf(QWidget* w)
{
    return QAccessible::queryAccessibleInterface(w);
}

QString nameOf(QWidget* w)
{
    QAccessibleInterface* a = accessibleOf(w);
    return a ? a->text(QAccessible::Name) : QString();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void everyScreen_data();
    void everyScreen();
    void valuesAreHeard();
    void provinceBoxesHaveTheirOwnNames();
    void listsSayTheirCurrentLine_data();
    void listsSayTheirCurrentLine();
    void startMenuHasOneStopPerCommand();
    void calendarSaysItsCurrentDay();

private:
    TempProgramFolder m_folder;
};

void TestAccessibility::initTestCase()
{
    QByteArray cards;
    for (const char* name : {"ROSSI", "VERDI", "BIANCHI"}) {
        AnagraficaRecord card;
        card.set(AnagraficaField::Cognome, QString::fromLatin1(name));
        card.set(AnagraficaField::Nome, QStringLiteral("MARIO"));
        card.set(AnagraficaField::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
        cards += card.bytes();
    }
    QVERIFY(writeAll(registryFilePath(), cards));
    createScreens();
    QVERIFY(logIn());
    if (QWidget* login = screens().frmPassword)
        login->hide();
}

void TestAccessibility::cleanupTestCase()
{
    destroyScreens();
}

void TestAccessibility::everyScreen_data()
{
    QTest::addColumn<std::function<QWidget*()>>("make");
    auto longLived = [](QPointer<QWidget> Screens::*slot) {
        return std::function<QWidget*()>([slot] { return (screens().*slot).data(); });
    };
    auto calendar = [] { return static_cast<TfrmPlanning*>(screens().frmPlanning.data()); };
    auto cards = [] { return static_cast<TfrmClienti*>(screens().frmClienti.data()); };
    QTest::newRow("login") << longLived(&Screens::frmPassword);
    QTest::newRow("password change") << longLived(&Screens::frmCambiaPassword);
    QTest::newRow("start menu") << longLived(&Screens::frmAvvio);
    QTest::newRow("card screen") << longLived(&Screens::frmClienti);
    QTest::newRow("selection") << longLived(&Screens::frmMenuCamere);
    QTest::newRow("calendar") << longLived(&Screens::frmPlanning);
    using Make = std::function<QWidget*()>;
    QTest::newRow("help") << Make([] { return new TfrmGuida(screens().frmAvvio); });
    QTest::newRow("information") << Make([] { return new TfrmInfo(screens().frmAvvio); });
    QTest::newRow("notice") << Make([] { return new TfrmSplash(screens().frmAvvio); });
    QTest::newRow("search") << Make([cards] { return new TfrmTrovaClienti(cards()); });
    QTest::newRow("recontact") << Make([cards] { return new TfrmRicontatta(cards()); });
    QTest::newRow("attachments") << Make([cards] { return new TfrmAllegaCartella(cards()); });
    QTest::newRow("export") << Make([cards] { return new TfrmExpClienti(cards()); });
    QTest::newRow("day") << Make([calendar] {
        return new TfrmGiorno(calendar(), 0, QStringLiteral("2026"), QStringLiteral("Rossi Mario"),
                              QString());
    });
    QTest::newRow("summary") << Make([calendar] { return new TfrmRiepPrenotazioni(calendar()); });
    QTest::newRow("sheet print") << Make([calendar] { return new TfrmStampaPlanning(calendar()); });
    QTest::newRow("sheet preview")
        << Make([calendar] { return new TfrmAnteprimaPlanning(calendar()); });
    QTest::newRow("codice fiscale") << Make([] { return new TfrmCodFisc; });
    QTest::newRow("partita IVA") << Make([] { return new TfrmPartitaIva; });
    QTest::newRow("card check") << Make([] { return new TfrmCarta; });
    QTest::newRow("IBAN check") << Make([] { return new TfrmIban; });
}

void TestAccessibility::everyScreen()
{
    QFETCH(std::function<QWidget*()>, make);
    QWidget* screen = make();
    QVERIFY(screen);
    // Dialogs are made for the test and go with it; the long-lived screens stay.
    std::unique_ptr<QWidget> dialog;
    if (qobject_cast<QDialog*>(screen))
        dialog.reset(screen);

    QStringList faults;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        // A reader passes over what is not shown (the hidden state labels among them).
        QAccessibleInterface* a = accessibleOf(w);
        if (!a || !w->isVisibleTo(screen))
            continue;
        const QString name = a->text(QAccessible::Name);
        const QString id = w->objectName();
        if (!id.isEmpty() && name == id)
            faults << id + QStringLiteral(": announced by its internal name");
        if (auto* picture = qobject_cast<Picture*>(w)) {
            const bool command = picture->isClickable() && !picture->isMouseOnly();
            if ((a->role() == QAccessible::Button) != command)
                faults << id + QStringLiteral(": a button only if it acts on a click");
            if (command != (picture->focusPolicy() != Qt::NoFocus))
                faults << id + QStringLiteral(": a tab stop only if it is a command");
            if (command && name.isEmpty())
                faults << id + QStringLiteral(": a command without a name");
        } else if (qobject_cast<QAbstractButton*>(w) && w->focusPolicy() != Qt::NoFocus
                   && name.isEmpty()) {
            faults << id + QStringLiteral(": a command without a name");
        }
        const bool field = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w);
        if (field && name.isEmpty())
            faults << (id.isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : id)
                          + QStringLiteral(": a field without a name");
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

// Labels that show data: a reader hears the value and what it is.
void TestAccessibility::valuesAreHeard()
{
    auto* cards = static_cast<TfrmClienti*>(screens().frmClienti.data());
    cards->setCardNumber(42);
    auto* position = cards->findChild<QLabel*>(QStringLiteral("lblPosizione"));
    QVERIFY(position);
    QCOMPARE(nameOf(position), QStringLiteral("42"));
    QCOMPARE(accessibleOf(position)->text(QAccessible::Description),
             QStringLiteral("Numero della scheda"));
    auto* hints = cards->findChild<QLabel*>(QStringLiteral("panInfo"));
    QVERIFY(hints);
    QCOMPARE(nameOf(hints), hints->text());
    QVERIFY(!hints->text().isEmpty());

    auto* calendar = static_cast<TfrmPlanning*>(screens().frmPlanning.data());
    calendar->setChoice(PersonYear{{}, {}, {}, {}, QStringLiteral("2026"), {}});
    auto* year = calendar->findChild<QLabel*>(QStringLiteral("txtAnno"));
    QCOMPARE(nameOf(year), QStringLiteral("2026"));
    QCOMPARE(accessibleOf(year)->text(QAccessible::Description), QStringLiteral("Anno"));
}

void TestAccessibility::provinceBoxesHaveTheirOwnNames()
{
    auto* cards = static_cast<TfrmClienti*>(screens().frmClienti.data());
    auto* residence = cards->findChild<QComboBox*>(QStringLiteral("txtProvRes"));
    auto* birth = cards->findChild<QComboBox*>(QStringLiteral("txtProvNasc"));
    QVERIFY(residence && birth);
    QCOMPARE(nameOf(residence), QStringLiteral("Provincia di residenza"));
    QCOMPARE(nameOf(birth), QStringLiteral("Provincia di nascita"));
    QCOMPARE(nameOf(residence->lineEdit()), nameOf(residence));
    QCOMPARE(nameOf(birth->lineEdit()), nameOf(birth));
}

namespace {

// The focus events a screen reader is sent, with the child they name.
struct FocusEvent {
    QObject* object;
    int child;
};
QList<FocusEvent>& focusEvents()
{
    static QList<FocusEvent> events;
    return events;
}
void recordFocus(QAccessibleEvent* event)
{
    if (event->type() == QAccessible::Focus)
        focusEvents().append({event->object(), event->child()});
}

} // namespace

using ListScreen = std::function<QWidget*()>;

void TestAccessibility::listsSayTheirCurrentLine_data()
{
    QTest::addColumn<ListScreen>("open");
    QTest::newRow("registry search") << ListScreen([] {
        auto* search = new TfrmTrovaClienti(static_cast<TfrmClienti*>(screens().frmClienti.data()));
        search->setAttribute(Qt::WA_DeleteOnClose);
        search->show();
        search->btnCercaClick();
        return static_cast<QWidget*>(search);
    });
    QTest::newRow("register's persons") << ListScreen([] {
        QWidget* selection = screens().frmMenuCamere;
        selection->show();
        return selection;
    });
}

// Tabbing into a list, a reader hears the line it is on; once the focus has gone on (or the
// screen is hidden), no line of it reports the focus.
void TestAccessibility::listsSayTheirCurrentLine()
{
    QFETCH(ListScreen, open);
    QAccessible::installUpdateHandler(recordFocus);
    QAccessible::setActive(true);
    focusEvents().clear();
    QWidget* screen = open();
    screen->activateWindow(); // no window manager does it on a bare X server
    QVERIFY(QTest::qWaitForWindowActive(screen));
    // A list widget (the register's persons) or a view over the compact lines (the search).
    auto* list = screen->findChild<QAbstractItemView*>(QStringLiteral("lstRecords"));
    QVERIFY(list);
    const QAbstractItemModel* lines = list->model();
    QVERIFY(lines->rowCount() >= 2);
    list->selectionModel()->setCurrentIndex(lines->index(1, 0),
                                            QItemSelectionModel::ClearAndSelect);
    QAccessibleInterface* a = accessibleOf(list);
    QCOMPARE(a->role(), QAccessible::List);
    QCOMPARE(a->childCount(), lines->rowCount());
    QAccessibleInterface* line = a->child(1);
    QVERIFY(line);
    QCOMPARE(line->role(), QAccessible::ListItem);
    QCOMPARE(line->text(QAccessible::Name), lines->index(1, 0).data().toString().simplified());
    QCOMPARE(a->indexOfChild(line), 1);
    QVERIFY(line->state().selected);

    // Tab until the list has the focus, as a user would.
    for (int i = 0; i < 30 && !list->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : screen,
                        Qt::Key_Tab);
    QVERIFY(list->hasFocus());
    QTest::qWait(20); // what the focus change sends out
    // Events reach a reader only while an accessibility bridge is up (the accessibility_x11
    // test); the states below hold in any case.
    const bool bridge = QAccessible::isActive();
    if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QVERIFY2(bridge, "the accessibility bridge is not up");
    // The last word a reader gets is the line: a focus event for the list itself after the
    // line's would make it say only the list's name.
    int lastChild = -2;
    for (const FocusEvent& e : focusEvents()) {
        if (e.object == list)
            lastChild = e.child;
    }
    if (bridge)
        QVERIFY2(lastChild == 1, qPrintable(QStringLiteral("the list's last focus event names "
                                                           "child %1, not its current line")
                                                .arg(lastChild)));
    QVERIFY(line->state().focused);
    QCOMPARE(a->focusChild(), line);

    QTest::keyClick(list, Qt::Key_Tab);
    QVERIFY(!list->hasFocus());
    QVERIFY(!line->state().focused);
    QVERIFY(!a->focusChild());
    for (int i = 0; i < a->childCount(); ++i)
        QVERIFY2(!a->child(i)->state().focused, qPrintable(QString::number(i)));

    screen->close();
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::setActive(false);
}

// The start menu's commands, one tab stop each, each heard once.
void TestAccessibility::startMenuHasOneStopPerCommand()
{
    auto* menu = static_cast<TfrmAvvio*>(screens().frmAvvio.data());
    menu->show();
    menu->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(menu));
    named<Picture>(menu, "btnAnagrafica")->setFocus();
    QStringList heard;
    for (int i = 0; i < 20; ++i) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        const QString name = nameOf(focus);
        if (!heard.isEmpty() && name == heard.first())
            break;
        heard << name;
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    QCOMPARE(heard.count(QStringLiteral("Archivio anagrafico")), 1);
    QCOMPARE(heard.count(QStringLiteral("Registrazione presenze")), 1);
    QCOMPARE(QSet<QString>(heard.cbegin(), heard.cend()).size(), heard.size());
    QCOMPARE(accessibleOf(named<Picture>(menu, "imgAnagrafica"))->role(), QAccessible::Graphic);
    // The picture still opens the registry for the mouse.
    QVERIFY(named<Picture>(menu, "imgAnagrafica")->isClickable());
    menu->hide();
}

// Tabbing into the calendar, a reader hears the day the grid is on, not only the table.
void TestAccessibility::calendarSaysItsCurrentDay()
{
    auto* calendar = static_cast<TfrmPlanning*>(screens().frmPlanning.data());
    calendar->setChoice(
        PersonYear{QStringLiteral("Rossi Mario"), {}, {}, {}, QStringLiteral("2026"), {}});
    calendar->show();
    calendar->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(calendar));
    auto* grid = calendar->findChild<DayGrid*>(QStringLiteral("grdGiorni"));
    QVERIFY(grid);
    grid->setCurrentSlot(40);
    QAccessible::installUpdateHandler(recordFocus);
    QAccessible::setActive(true);
    focusEvents().clear();
    for (int i = 0; i < 60 && !grid->hasFocus(); ++i)
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : calendar,
                        Qt::Key_Tab);
    QVERIFY(grid->hasFocus());
    QTest::qWait(20);
    // The events reach a reader only while an accessibility bridge is up (the accessibility_x11
    // test): there the last focus event of the grid names the day.
    const bool bridge = QAccessible::isActive();
    int lastChild = -2;
    for (const FocusEvent& e : focusEvents()) {
        if (e.object == grid)
            lastChild = e.child;
    }
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::setActive(false);
    if (bridge)
        QCOMPARE(lastChild, 40);
    QCOMPARE(accessibleOf(grid)->focusChild()->text(QAccessible::Name),
             QStringLiteral("10 febbraio, assente"));
    calendar->hide();
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
