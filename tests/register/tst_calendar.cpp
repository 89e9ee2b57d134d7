// The annual calendar and the day dialog, driven with the keys and clicks a user makes, with the
// year file's bytes checked on disk.

#include "app/avvio.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/base/clock.h"
#include "core/help/helptexts.h"
#include "core/registry/registry.h"
#include "help/guida.h"
#include "register/daygrid.h"
#include "register/giorno.h"
#include "register_support.h"
#include "ui/decor.h"
#include "ui/infoline.h"
#include "ui/messages.h"

#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QtTest>

namespace {

const QString kRossi = QStringLiteral("RSSMRA80A01H501U");
const QString kVerdi = QStringLiteral("VRDLNE90C43L219K");

QList<AnagraficaRecord> registryCards(const QString& secondCodFisc = kVerdi)
{
    return {
        makeCard(QStringLiteral("Rossi"), QStringLiteral("Mario"), QStringLiteral("333 1234567"),
                 kRossi, QStringLiteral("Magazzino")),
        makeCard(QStringLiteral("Verdi"), QStringLiteral("Elena"), QStringLiteral("011 22"),
                 secondCodFisc, QStringLiteral("Ufficio")),
    };
}

QString yearFile(const TempProgramFolder& folder, const QString& cf, const QString& year)
{
    return folder.file(QStringLiteral("Registro presenze ") + cf + QStringLiteral(" anno ") + year
                       + QStringLiteral(".vsr"));
}

// The text stored for slot in the first record of bytes.
QByteArray storedText(const QByteArray& bytes, int slot)
{
    const int length = static_cast<unsigned char>(bytes.at(251 * slot));
    return bytes.mid(251 * slot + 1, length);
}

bool allAbsent(const TfrmPlanning* c)
{
    for (int s = 0; s < kDaysPerYear; ++s) {
        if (c->year().isPresent(s) || !c->year().text(s).isEmpty())
            return false;
    }
    return true;
}

// The colour the grid shows in the middle of the cell of slot, low in the box (below the
// number, above the border).
QColor cellColour(QWidget* calendar, int slot)
{
    DayGrid* grid = dayGrid(calendar);
    const QImage image = grid->grab().toImage();
    const QRect cell = DayGrid::cellRect(slot);
    const qreal ratio = image.devicePixelRatio();
    return image.pixelColor(
        QPoint(int((cell.left() + 4) * ratio), int((cell.bottom() - 4) * ratio)));
}

} // namespace

class TestCalendar : public QObject {
    Q_OBJECT

private slots:
    void controlsAreNamedAndPlaced();
    void hints();
    void recordAPresenceAndFindItAgain();
    void dayDialog();
    void gridKeys_data();
    void gridKeys();
    void gridForAScreenReader();
    void twentyNinthOfFebruaryInAnyYear();
    void closingByTheWindowSavesLikeEsci();
    void secondPersonStartsEmpty();
    void longHeaderValuesShowTheirBeginning();
    void unreadableYearFileIsNotOverwritten();
    void codiceFiscaleThatCannotNameAFile();
    void yearFileReplacedWhileOpenIsNotOverwritten();
    void helpFromBothScreens();
    void fromTheStartMenuAndBack();
};

void TestCalendar::controlsAreNamedAndPlaced()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    TfrmPlanning* c = s.calendar;
    QCOMPARE(c->objectName(), QStringLiteral("frmPlanning"));
    DayGrid* grid = dayGrid(c);
    QVERIFY(grid);
    QCOMPARE(grid->parentWidget()->objectName(), QStringLiteral("panContainer"));
    struct Day {
        int slot;
        QRect place; // within the panel
    };
    const Day days[] = {
        {0, {166, 152, 24, 33}},  {30, {946, 152, 24, 33}},  {59, {894, 192, 24, 33}},
        {60, {166, 232, 24, 33}}, {178, {842, 352, 24, 33}}, {365, {946, 592, 24, 33}},
    };
    for (const Day& d : days) {
        const QRect cell = DayGrid::cellRect(d.slot);
        QCOMPARE(cell.translated(grid->pos()), d.place);
        QCOMPARE(DayGrid::slotAt(cell.center()), d.slot);
        QCOMPARE(DayGrid::slotAt(cell.topLeft()), d.slot);
        QCOMPARE(DayGrid::slotAt(cell.bottomRight()), d.slot);
    }
    // Between the cells, below a row and after the last day of a short month lies no day.
    for (const QPoint between : {QPoint(24, 5), QPoint(25, 5), QPoint(5, 33), QPoint(5, 39),
                                 QPoint(26 * 29 + 5, 45), QPoint(26 * 30 + 5, 125)})
        QCOMPARE(DayGrid::slotAt(between), -1);

    // No per-day widget and no hidden label: the days live in the year model.
    for (const char* gone : {"libGen_01", "occGen_01", "memGen_01", "panMemGiorni", "lblPosizione",
                             "cmdSalva", "cmdNuovo"})
        QVERIFY2(!c->findChild<QObject*>(QString::fromLatin1(gone)), gone);
    for (const QLabel* label : c->findChildren<QLabel*>())
        QVERIFY2(!label->isHidden(), qPrintable(label->objectName()));
    QVERIFY(c->findChildren<QWidget*>().size() < 80);

    const char* months[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu",
                            "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};
    for (int m = 0; m < 12; ++m) {
        auto* title = c->findChild<Picture*>(QStringLiteral("tit") + QLatin1String(months[m]));
        QVERIFY(title);
        QCOMPARE(title->geometry(), QRect(24, 152 + 40 * m, 136, 33));
    }

    // The two looks: lavender when absent, red when present.
    s.openCalendar(0, QStringLiteral("2024"));
    typeAndApply(c, 100, QStringLiteral("Turno"));
    QCOMPARE(cellColour(c, 101), QColor(0xD9, 0xD2, 0xF0));
    QCOMPARE(cellColour(c, 100), QColor(0xFE, 0x05, 0x10));
}

void TestCalendar::hints()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    TfrmPlanning* c = s.calendar;
    QCOMPARE(c->info()->text(), QStringLiteral("Pronto per archiviare una nuova scheda..."));
    const QString dayHint =
        QStringLiteral("Fai clic sul numero del giorno per inserire o cancellare una presenza.");
    typeAndApply(c, 10, QStringLiteral("Turno"));
    DayGrid* grid = dayGrid(c);
    struct Row {
        QWidget* control;
        QPoint at;
        QString hint;
        Qt::CursorShape cursor;
    };
    const QPoint corner(3, 3);
    const Row rows[] = {
        {named<Picture>(c, "cmdRiepilogo"), corner,
         QString::fromUtf8("Visualizza il riepilogo delle presenze e attività registrate."),
         Qt::PointingHandCursor},
        {named<Picture>(c, "cmdAnteprima"), corner,
         QStringLiteral("Visualizza l'anteprima di stampa del registro presenze visualizzato."),
         Qt::PointingHandCursor},
        {named<Picture>(c, "cmdStampa"), corner,
         QStringLiteral("Stampa il registro presenze visualizzato."), Qt::PointingHandCursor},
        {named<Picture>(c, "cmdGuida"), corner, QStringLiteral("Visualizza la guida in linea."),
         Qt::PointingHandCursor},
        {named<Picture>(c, "cmdEsci"), corner,
         QStringLiteral("Esci da questa schermata di lavoro."), Qt::PointingHandCursor},
        {grid, DayGrid::cellRect(10).center(), dayHint, Qt::PointingHandCursor},  // red
        {grid, DayGrid::cellRect(11).topLeft(), dayHint, Qt::PointingHandCursor}, // violet
        {grid, DayGrid::cellRect(11).bottomLeft() + QPoint(0, 3), QString(), Qt::ArrowCursor},
        {grid, DayGrid::cellRect(365).center(), dayHint, Qt::PointingHandCursor},
        {named<QWidget>(c, "icoTitolo"), corner, QString(), Qt::ArrowCursor},
        {named<Picture>(c, "cmdStampa"), corner,
         QStringLiteral("Stampa il registro presenze visualizzato."), Qt::PointingHandCursor},
        {named<QWidget>(c, "icoChiave"), corner, QString(), Qt::ArrowCursor},
        {grid, DayGrid::cellRect(59).center() + QPoint(26, 0), QString(), Qt::ArrowCursor},
        {named<Picture>(c, "cmdEsci"), corner,
         QStringLiteral("Esci da questa schermata di lavoro."), Qt::PointingHandCursor},
        {named<QWidget>(c, "panContainer"), corner, QString(), Qt::ArrowCursor},
    };
    for (const Row& r : rows) {
        QVERIFY(r.control);
        // Sent to the control itself: the test screen is narrower than the calendar.
        QMouseEvent move(QEvent::MouseMove, QPointF(r.at), r.control->mapToGlobal(QPointF(r.at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(r.control, &move);
        QCOMPARE(c->info()->text(), r.hint);
        QCOMPARE(r.control->cursor().shape(), r.cursor);
    }
}

void TestCalendar::recordAPresenceAndFindItAgain()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    const QString path = yearFile(folder, kRossi, QStringLiteral("2021"));
    s.openCalendar(0, QStringLiteral("2021"));
    TfrmPlanning* c = s.calendar;

    // A year without file is stored at once, as one record of 366 empty days (which reads as
    // the empty file did), and every day is violet.
    QCOMPARE(readAll(path), PresenzeRecord().bytes());
    QVERIFY(allAbsent(c));

    typeAndApply(c, 0, QStringLiteral("  Riunione di reparto  "));
    QVERIFY(c->year().isPresent(0));
    QCOMPARE(c->year().text(0), QStringLiteral("Riunione di reparto"));
    // Each day applied is in the file as soon as the dialog has closed.
    QCOMPARE(storedText(readAll(path), 0), QByteArray("Riunione di reparto"));
    typeAndApply(c, 188, QString::fromUtf8("Attività in sede"));
    QCOMPARE(storedText(readAll(path), 188), QByteArray("Attivit\xE0 in sede"));

    QTest::mouseClick(named<Picture>(c, "cmdEsci"), Qt::LeftButton);
    QVERIFY(!c->isVisible());
    QVERIFY(s.avvio->isVisible());
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 91866);
    QCOMPARE(storedText(bytes, 0), QByteArray("Riunione di reparto"));
    QCOMPARE(storedText(bytes, 188), QByteArray("Attivit\xE0 in sede"));

    // Reopened, the year shows the same days and nothing else.
    s.openCalendar(0, QStringLiteral("2021"));
    for (int slot = 0; slot < kDaysPerYear; ++slot)
        QCOMPARE(c->year().isPresent(slot), slot == 0 || slot == 188);
    QCOMPARE(c->year().text(188), QString::fromUtf8("Attività in sede"));
    QCOMPARE(cellColour(c, 188), QColor(0xFE, 0x05, 0x10));
}

void TestCalendar::dayDialog()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2021"));
    TfrmPlanning* c = s.calendar;
    const QString path = yearFile(folder, kRossi, QStringLiteral("2021"));

    // An absent day: its title, the person, an empty field and ASSENTE; typing turns the
    // banner at once, and deleting the last character turns it back.
    onDay(c, 8, [&](TfrmGiorno* day) {
        QCOMPARE(day->windowTitle(), QStringLiteral(" Registrazione presenza giornaliera"));
        QCOMPARE(day->size(), QSize(660, 379));
        QCOMPARE(day->slot(), 8);
        QCOMPARE(named<QLabel>(day, "infGiorno")->text(), QStringLiteral("Giorno 9 gennaio 2021"));
        QCOMPARE(named<QLabel>(day, "infCamera")->text(), QStringLiteral("Rossi Mario"));
        QVERIFY(!day->findChild<QLabel*>(QStringLiteral("lblMemory")));
        QLineEdit* field = dayField(day);
        auto* libera = named<Picture>(day, "icoLibera");
        auto* occupata = named<Picture>(day, "icoOccupata");
        QCOMPARE(field->text(), QString());
        QVERIFY(libera->isVisible() && !occupata->isVisible());
        QCOMPARE(QApplication::focusWidget(), field);
        // A screen reader hears the day, the person and the state in the field itself.
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description),
                 QStringLiteral("Giorno 9 gennaio 2021, Rossi Mario: assente"));
        QTest::keyClick(field, Qt::Key_Space);
        QVERIFY(libera->isVisible()); // blanks alone are no activity
        QTest::keyClick(field, Qt::Key_X);
        QVERIFY(occupata->isVisible() && !libera->isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Description),
                 QStringLiteral("Giorno 9 gennaio 2021, Rossi Mario: presente"));
        QTest::keyClick(field, Qt::Key_Backspace);
        QVERIFY(libera->isVisible() && !occupata->isVisible());
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), QString());
        QTest::keyClicks(field, QString(300, QLatin1Char('a')));
        QCOMPARE(field->text().size(), 250);
        QTest::mouseClick(dayButton(day, "btnChiudi"), Qt::LeftButton);
    });
    QCOMPARE(c->year().text(8), QString(250, QLatin1Char('a')));

    // With the keyboard: Tab reaches "Applica e chiudi", Enter presses it.
    onDay(c, 9, [&](TfrmGiorno* day) {
        QTest::keyClicks(dayField(day), QStringLiteral("Inventario"));
        QTest::keyClick(dayField(day), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dayButton(day, "btnChiudi"));
        QTest::keyClick(dayButton(day, "btnChiudi"), Qt::Key_Return);
        QVERIFY(!day->isVisible());
    });
    QCOMPARE(c->year().text(9), QStringLiteral("Inventario"));
    // Enter in the text field applies as well, and the day is stored at once.
    onDay(c, 12, [&](TfrmGiorno* day) {
        QTest::keyClicks(dayField(day), QStringLiteral("Trasferta"));
        QTest::keyClick(dayField(day), Qt::Key_Return);
        QVERIFY(!day->isVisible());
        QCOMPARE(day->result(), int(QDialog::Accepted));
    });
    QCOMPARE(c->year().text(12), QStringLiteral("Trasferta"));
    QCOMPARE(storedText(readAll(path), 12), QByteArray("Trasferta"));

    // The day that has the focus opens on Enter as on a click.
    int opened = -1;
    onNextModal([&](QDialog* dialog) {
        if (auto* day = qobject_cast<TfrmGiorno*>(dialog))
            opened = day->slot();
    });
    DayGrid* grid = dayGrid(c);
    grid->setCurrentSlot(10);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(opened, 10);

    typeAndApply(c, 178, QStringLiteral("Consegna"));
    // A present day shows its text and PRESENTE. The eraser empties the field and keeps the
    // focus there, but only Applica changes the day: Annulla leaves it as it was.
    onDay(c, 178, [&](TfrmGiorno* day) {
        QCOMPARE(named<QLabel>(day, "infGiorno")->text(), QStringLiteral("Giorno 27 giugno 2021"));
        QCOMPARE(dayField(day)->text(), QStringLiteral("Consegna"));
        QVERIFY(named<Picture>(day, "icoOccupata")->isVisible());
        QVERIFY(!named<Picture>(day, "icoLibera")->isVisible());
        QTest::mouseClick(named<Picture>(day, "cmdCancella"), Qt::LeftButton);
        QCOMPARE(dayField(day)->text(), QString());
        QVERIFY(named<Picture>(day, "icoLibera")->isVisible());
        QCOMPARE(QApplication::focusWidget(), dayField(day));
        QTest::mouseClick(dayButton(day, "btnAnnulla"), Qt::LeftButton);
    });
    QVERIFY(c->year().isPresent(178));
    QCOMPARE(c->year().text(178), QStringLiteral("Consegna"));

    // The same text applied again changes nothing; blanks only make the day absent.
    typeAndApply(c, 178, QStringLiteral("Consegna"));
    QCOMPARE(c->year().text(178), QStringLiteral("Consegna"));
    typeAndApply(c, 178, QStringLiteral("   "));
    QVERIFY(!c->year().isPresent(178));
    QCOMPARE(cellColour(c, 178), QColor(0xD9, 0xD2, 0xF0));
    QCOMPARE(storedText(readAll(path), 178), QByteArray());

    c->close();
    const QByteArray bytes = readAll(path);
    QCOMPARE(storedText(bytes, 178), QByteArray());
    QCOMPARE(storedText(bytes, 8), QByteArray(250, 'a'));
}

void TestCalendar::gridKeys_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("to");
    using K = QList<int>;
    const int jan31 = 30, feb29 = 59, mar31 = 90;
    QTest::newRow("Right, Left") << 0 << K{Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << 1;
    QTest::newRow("Right from 31 January to 1 February") << jan31 << K{Qt::Key_Right} << 31;
    QTest::newRow("Left from 1 March to 29 February") << 60 << K{Qt::Key_Left} << feb29;
    QTest::newRow("Left stays on 1 January") << 0 << K{Qt::Key_Left} << 0;
    QTest::newRow("Right stays on 31 December") << 365 << K{Qt::Key_Right} << 365;
    QTest::newRow("Down: same day of the next month") << 9 << K{Qt::Key_Down} << 31 + 9;
    QTest::newRow("Down from 31 January to 29 February") << jan31 << K{Qt::Key_Down} << feb29;
    QTest::newRow("Down from 31 March to 30 April") << mar31 << K{Qt::Key_Down} << 120;
    QTest::newRow("Up from 30 March to 29 February") << 89 << K{Qt::Key_Up} << feb29;
    QTest::newRow("Up stays in January") << 5 << K{Qt::Key_Up} << 5;
    QTest::newRow("Down stays in December") << 340 << K{Qt::Key_Down} << 340;
    QTest::newRow("Home, End of April") << 100 << K{Qt::Key_Home} << 91;
    QTest::newRow("End of February") << 40 << K{Qt::Key_End} << feb29;
    QTest::newRow("Page Down to December") << 70 << K{Qt::Key_PageDown} << 335 + 10;
    QTest::newRow("Page Up from 31 December") << 365 << K{Qt::Key_PageUp} << 30;
    QTest::newRow("Page Up from 29 February") << feb29 << K{Qt::Key_PageUp} << 28;
}

// The grid is one stop of the keyboard and moves by day and by month; the calendar opens with
// the focus on it, on today in the current year and on 1 January in another.
void TestCalendar::gridKeys()
{
    QFETCH(int, from);
    QFETCH(QList<int>, keys);
    QFETCH(int, to);
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    setClockForTests(QDateTime(QDate(2024, 3, 11), QTime(9, 0)));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    DayGrid* grid = dayGrid(s.calendar);
    QCOMPARE(s.calendar->focusWidget(), grid);
    QCOMPARE(grid->currentSlot(), DaySlot(3, 11));
    s.calendar->close();
    s.openCalendar(0, QStringLiteral("2023"));
    QCOMPARE(s.calendar->focusWidget(), grid);
    QCOMPARE(grid->currentSlot(), 0);
    setClockForTests(QDateTime());

    QTest::mouseClick(grid, Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5)); // nothing there
    grid->setCurrentSlot(from);
    for (int key : keys)
        QTest::keyClick(grid, Qt::Key(key));
    QCOMPARE(grid->currentSlot(), to);
    // Nothing opened and nothing changed on the way.
    QVERIFY(allAbsent(s.calendar));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

// A screen reader meets a table of months and days; each day is one cell named with its date,
// its state and its text, the hint is said once for the whole grid, and moving the focus
// announces the day reached.
void TestCalendar::gridForAScreenReader()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    typeAndApply(s.calendar, DaySlot(3, 11), QStringLiteral("Ufficio"));
    DayGrid* grid = dayGrid(s.calendar);

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->role(), QAccessible::Table);
    QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Calendario delle presenze"));
    QCOMPARE(table->text(QAccessible::Description),
             QStringLiteral("Fai clic sul numero del giorno per inserire o cancellare una "
                            "presenza."));
    QCOMPARE(table->tableInterface()->rowCount(), 12);
    QCOMPARE(table->tableInterface()->columnCount(), 31);
    QCOMPARE(table->childCount(), 366);

    struct Cell {
        int row, column;
        const char* name;
    };
    const Cell cells[] = {
        {2, 10, "11 marzo, presente: Ufficio"}, {2, 11, "12 marzo, assente"},
        {0, 0, "1 gennaio, assente"},           {1, 28, "29 febbraio, assente"},
        {11, 30, "31 dicembre, assente"},
    };
    for (const Cell& c : cells) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(c.row, c.column);
        QVERIFY2(cell, c.name);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Name), QString::fromUtf8(c.name));
        QCOMPARE(cell->text(QAccessible::Description), QString());
        QCOMPARE(cell->tableCellInterface()->rowIndex(), c.row);
        QCOMPARE(cell->tableCellInterface()->columnIndex(), c.column);
        QCOMPARE(cell->parent(), table);
        QCOMPARE(table->indexOfChild(cell), DaySlot(c.row + 1, c.column + 1));
        QCOMPARE(cell->rect().center(),
                 grid->mapToGlobal(DayGrid::cellRect(DaySlot(c.row + 1, c.column + 1)).center()));
    }
    for (const QPoint missing : {QPoint(1, 29), QPoint(1, 30), QPoint(3, 30), QPoint(12, 0)})
        QVERIFY(!table->tableInterface()->cellAt(missing.x(), missing.y()));

    // The focus: on the grid, the current day is the focused cell, and it follows the keys.
    // (The offscreen platform runs no accessibility bridge, so the focus events themselves,
    // sent only while one listens, cannot be watched here.)
    QApplication::setActiveWindow(s.calendar);
    QVERIFY(QTest::qWaitForWindowActive(s.calendar));
    QCOMPARE(QApplication::focusWidget(), grid);
    grid->setCurrentSlot(DaySlot(3, 10));
    QCOMPARE(table->focusChild(), table->tableInterface()->cellAt(2, 9));
    QTest::keyClick(grid, Qt::Key_Right);
    QCOMPARE(table->focusChild()->text(QAccessible::Name),
             QStringLiteral("11 marzo, presente: Ufficio"));
    QTest::keyClick(grid, Qt::Key_Down);
    QAccessibleInterface* current = table->focusChild();
    QVERIFY(current);
    QCOMPARE(current->text(QAccessible::Name), QStringLiteral("11 aprile, assente"));
    QVERIFY(current->state().focused);
    QVERIFY(!table->tableInterface()->cellAt(2, 10)->state().focused);

    // The cell's press action opens the day, as Enter does.
    QAccessibleActionInterface* action = current->actionInterface();
    QVERIFY(action);
    int opened = -1;
    onNextModal([&](QDialog* dialog) {
        if (auto* day = qobject_cast<TfrmGiorno*>(dialog))
            opened = day->slot();
    });
    action->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(opened, DaySlot(4, 11));
}

void TestCalendar::twentyNinthOfFebruaryInAnyYear()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2023"));
    onDay(s.calendar, 59, [&](TfrmGiorno* day) {
        QCOMPARE(named<QLabel>(day, "infGiorno")->text(),
                 QStringLiteral("Giorno 29 febbraio 2023"));
        QTest::keyClicks(dayField(day), QStringLiteral("Inventario"));
        QTest::mouseClick(dayButton(day, "btnChiudi"), Qt::LeftButton);
    });
    s.calendar->close();
    QCOMPARE(storedText(readAll(yearFile(folder, kRossi, QStringLiteral("2023"))), 59),
             QByteArray("Inventario"));
    s.openCalendar(0, QStringLiteral("2023"));
    QVERIFY(s.calendar->year().isPresent(59));
    QVERIFY(!s.calendar->year().isPresent(60));
}

void TestCalendar::closingByTheWindowSavesLikeEsci()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    const QString path = yearFile(folder, kRossi, QStringLiteral("2024"));

    // A day holding only blanks in the file shows violet and is stored empty.
    PresenzeRecord record;
    QByteArray bytes = record.bytes();
    bytes.replace(251 * 40, 4, QByteArray("\x03   ", 4));
    QVERIFY(writeAll(path, bytes));

    s.openCalendar(0, QStringLiteral("2024"));
    QVERIFY(allAbsent(s.calendar));
    typeAndApply(s.calendar, 300, QStringLiteral("Fiera"));
    // The close button of the window sends the same close event as Esci's close().
    QCloseEvent event;
    QApplication::sendEvent(s.calendar, &event);
    QVERIFY(event.isAccepted());
    s.calendar->hide();
    const QByteArray saved = readAll(path);
    QCOMPARE(saved.size(), 91866);
    QCOMPARE(storedText(saved, 300), QByteArray("Fiera"));
    QCOMPARE(saved.at(251 * 40), '\0');
    QVERIFY(s.avvio->isVisible());
}

void TestCalendar::secondPersonStartsEmpty()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    typeAndApply(s.calendar, 5, QStringLiteral("Rossi al lavoro"));
    s.calendar->close();

    s.openCalendar(1, QStringLiteral("2024"));
    QCOMPARE(named<QLineEdit>(s.calendar, "txtPersona")->text(), QStringLiteral("Verdi Elena"));
    QCOMPARE(s.calendar->persona(), QStringLiteral("Verdi Elena"));
    QVERIFY(allAbsent(s.calendar));
    QCOMPARE(cellColour(s.calendar, 5), QColor(0xD9, 0xD2, 0xF0));
    s.calendar->close();
    QCOMPARE(storedText(readAll(yearFile(folder, kRossi, QStringLiteral("2024"))), 5),
             QByteArray("Rossi al lavoro"));
    QCOMPARE(readAll(yearFile(folder, kVerdi, QStringLiteral("2024"))), PresenzeRecord().bytes());
}

void TestCalendar::longHeaderValuesShowTheirBeginning()
{
    TempProgramFolder folder;
    const AnagraficaRecord card =
        makeCard(QStringLiteral("Castelfranchi"), QStringLiteral("Maria Vittoria Annunziata"),
                 QStringLiteral("+39 0471 123456 interno 2345 (ufficio)"), kRossi,
                 QStringLiteral("Coordinamento dei volontari del magazzino e della logistica"));
    QVERIFY(writeAll(registryFilePath(), cardBytes({card})));
    RegisterScreens s;
    // Twice: the second person's values replace the first's, and still show from the start.
    for (int round = 0; round < 2; ++round) {
        s.openCalendar(0, QStringLiteral("2024"));
        QVERIFY(QTest::qWaitForWindowExposed(s.calendar));
        for (const char* name : {"txtPersona", "txtRecapito", "txtCodFisc", "txtMansioni"}) {
            QLineEdit* field = named<QLineEdit>(s.calendar, name);
            QVERIFY(!field->text().isEmpty());
            QVERIFY2(field->cursorPosition() == 0, name);
        }
        // The field is too narrow for the name: it shows "Castelfranchi ...", not "... Annunziata".
        QLineEdit* persona = named<QLineEdit>(s.calendar, "txtPersona");
        QVERIFY(persona->fontMetrics().horizontalAdvance(persona->text()) > persona->width());
        s.calendar->close();
    }
}

void TestCalendar::unreadableYearFileIsNotOverwritten()
{
    TempProgramFolder folder;
    openToAll(folder.path());
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    openToAll(registryFilePath());
    const QString path = yearFile(folder, kRossi, QStringLiteral("2024"));
    PresenzeRecord record;
    record.setText(3, QStringLiteral("Giorno importante"));
    QVERIFY(writeAll(path, record.bytes()));
    setMode(path, 0);

    MessageRecorder messages;
    RegisterScreens s;
    {
        AsOrdinaryUser user;
        s.openCalendar(0, QStringLiteral("2024"));
    }
    // Said on opening, before anything is typed.
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QVERIFY(messages.last().text.startsWith(
        QStringLiteral("Attenzione: il file del registro presenze di questo anno esiste ma non")));
    QVERIFY(s.calendar->isVisible());
    QVERIFY(allAbsent(s.calendar));
    // The file has become readable again by the time a day is applied and the calendar is
    // left: the empty year shown must still not replace the stored days, and the day entered
    // is said not stored when it is applied, and lost when the calendar is left.
    setMode(path, 0644);
    typeAndApply(s.calendar, 7, QStringLiteral("Nuovo giorno"));
    QCOMPARE(messages.count(), 2);
    const QString notStored =
        QStringLiteral("Attenzione: i giorni inseriti in questo calendario non sono stati salvati");
    QVERIFY(messages.last().text.startsWith(notStored));
    s.calendar->close();
    QCOMPARE(messages.count(), 3);
    QVERIFY(messages.last().text.startsWith(notStored));
    QVERIFY(s.avvio->isVisible());
    QCOMPARE(readAll(path), record.bytes());
}

void TestCalendar::codiceFiscaleThatCannotNameAFile()
{
    QTemporaryDir outer;
    const QString program = outer.path() + QStringLiteral("/prog/");
    QVERIFY(QDir().mkpath(program + QStringLiteral("Registro presenze AB")));
    setProgramFolderForTests(program);
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards(QStringLiteral("AB/../../x")))));
    {
        MessageRecorder messages;
        RegisterScreens s;
        s.openCalendar(1, QStringLiteral("2024"));
        QVERIFY(s.calendar->isVisible());
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.last().text.startsWith(
            QStringLiteral("Attenzione: il codice fiscale di questa scheda contiene caratteri")));
        QCOMPARE(s.calendar->codFisc(), QStringLiteral("AB/../../x"));
        QVERIFY(allAbsent(s.calendar));
        typeAndApply(s.calendar, 0, QStringLiteral("Presente"));
        QCOMPARE(messages.count(), 2);
        s.calendar->close();
        QCOMPARE(messages.count(), 3);
        QVERIFY(s.avvio->isVisible());
    }
    setProgramFolderForTests(QString());
    QCOMPARE(QDir(outer.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("prog")});
    QCOMPARE(
        QDir(program).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
        (QStringList{QStringLiteral("Anagrafica.pro"), QStringLiteral("Registro presenze AB")}));
    QVERIFY(QDir(program + QStringLiteral("Registro presenze AB")).isEmpty());
}

// A year file replaced while its calendar is open (a backup put back, another copy of the
// program) is never overwritten: neither a day applied nor leaving writes over it, and each
// says so; a calendar only looked at leaves in silence.
void TestCalendar::yearFileReplacedWhileOpenIsNotOverwritten()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    const QString path = yearFile(folder, kRossi, QStringLiteral("2024"));
    PresenzeRecord backup;
    for (int slot = 0; slot < kDaysPerYear; ++slot)
        backup.setText(slot, QStringLiteral("Giorno salvato %1").arg(slot));
    const QString changedElsewhere = QStringLiteral(
        "Attenzione: il file del registro presenze di questo anno \u00e8 stato modificato altrove");

    MessageRecorder messages;
    RegisterScreens s;
    s.openCalendar(0, QStringLiteral("2024"));
    typeAndApply(s.calendar, 1, QStringLiteral("Primo"));
    QCOMPARE(storedText(readAll(path), 1), QByteArray("Primo"));
    QCOMPARE(messages.count(), 0);

    QVERIFY(writeAll(path, backup.bytes())); // the backup copied back
    typeAndApply(s.calendar, 2, QStringLiteral("Secondo"));
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.last().kind, MessageKind::Warning);
    QVERIFY(messages.last().text.startsWith(changedElsewhere));
    QCOMPARE(readAll(path), backup.bytes());
    s.calendar->close();
    QCOMPARE(messages.count(), 2);
    QVERIFY(messages.last().text.startsWith(changedElsewhere));
    QCOMPARE(readAll(path), backup.bytes());

    // Opened again, the calendar shows the file as it is now and stores over it.
    s.openCalendar(0, QStringLiteral("2024"));
    QCOMPARE(s.calendar->year().text(1), QStringLiteral("Giorno salvato 1"));
    typeAndApply(s.calendar, 2, QStringLiteral("Secondo"));
    QCOMPARE(messages.count(), 2);
    QCOMPARE(storedText(readAll(path), 2), QByteArray("Secondo"));
    // Replaced again and only looked at: leaving writes nothing and says nothing.
    QVERIFY(writeAll(path, backup.bytes()));
    s.calendar->close();
    QCOMPARE(messages.count(), 2);
    QCOMPARE(readAll(path), backup.bytes());
}

void TestCalendar::helpFromBothScreens()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    RegisterScreens s;
    s.enterSelection();
    const auto expectHelp = [](QWidget* owner, QWidget* command) {
        bool shown = false;
        onNextModal([&](QDialog* dialog) {
            auto* help = qobject_cast<TfrmGuida*>(dialog);
            QVERIFY(help);
            QCOMPARE(help->parentWidget(), owner);
            QCOMPARE(named<QLabel>(help, "lblTitolo")->text(),
                     QStringLiteral("Applicazione Registrazione presenze."));
            QCOMPARE(
                named<QPlainTextEdit>(help, "txtGuida")->toPlainText(),
                QString(registerHelpText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            shown = true;
        });
        QTest::mouseClick(command, Qt::LeftButton);
        QVERIFY(shown);
    };
    expectHelp(s.selection, named<Picture>(s.selection, "imgGuida"));
    s.openCalendar(0, QStringLiteral("2024"));
    expectHelp(s.calendar, named<Picture>(s.calendar, "cmdGuida"));
    QVERIFY(s.calendar->isVisible());
}

void TestCalendar::fromTheStartMenuAndBack()
{
    TempProgramFolder folder;
    QVERIFY(writeAll(registryFilePath(), cardBytes(registryCards())));
    createScreens();
    QVERIFY(logIn());
    auto* avvio = qobject_cast<TfrmAvvio*>(screens().frmAvvio.data());
    auto* selection = qobject_cast<TfrmMenuCamere*>(screens().frmMenuCamere.data());
    auto* calendar = qobject_cast<TfrmPlanning*>(screens().frmPlanning.data());
    QVERIFY(avvio && selection && calendar);
    avvio->show();
    QTest::mouseClick(named(avvio, "btnPresenze"), Qt::LeftButton);
    QVERIFY(selection->isVisible());
    QVERIFY(!avvio->isVisible());
    auto* list = named<QListWidget>(selection, "lstRecords");
    QCOMPARE(list->count(), 2);

    // The line reached with the arrow keys is the one Apri opens.
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), 1);
    auto* year = named<QLineEdit>(selection, "txtAnnoFatture");
    year->selectAll();
    QTest::keyClicks(year, QStringLiteral("2022"));
    QTest::mouseClick(named<QPushButton>(selection, "btnApriFatture"), Qt::LeftButton);
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->persona(), QStringLiteral("Verdi Elena"));
    QCOMPARE(calendar->windowTitle(), QStringLiteral(" Vestrano - Anno 2022"));
    typeAndApply(calendar, 31, QStringLiteral("Primo febbraio"));
    QTest::mouseClick(named<Picture>(calendar, "cmdEsci"), Qt::LeftButton);
    QVERIFY(avvio->isVisible());
    QVERIFY(!calendar->isVisible() && !selection->isVisible());
    QCOMPARE(storedText(readAll(yearFile(folder, kVerdi, QStringLiteral("2022"))), 31),
             QByteArray("Primo febbraio"));
    destroyScreens();
}

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
