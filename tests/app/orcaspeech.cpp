// What the Orca screen reader says at the stops where a reader most needs to hear what is
// there: the registry search's results, the register's persons, the calendar's days, the start
// menu's commands and the day dialog. The keys are real key presses on the real screens; what
// Orca said is read back from its own debug log. Run by tests/app/with_orca.sh, which starts the
// accessibility bus, a window manager and Orca, and names Orca's log in VESTRANO_ORCA_LOG.

#include "app/avvio.h"
#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/registry.h"
#include "register/daygrid.h"
#include "register/planning.h"
#include "registry/clienti.h"
#include "registry/trovaclienti.h"
#include "ui/decor.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QListView>
#include <QListWidget>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest/QtTest>

namespace {

// What Orca has said since the log was last read: the text of each SPEECH OUTPUT line.
class OrcaLog {
public:
    explicit OrcaLog(const QString& path) : m_path(path) { skip(); }

    void skip() { read(); }

    // Waits until Orca has worked through what the program sent (its log stays still for a
    // moment; every event it takes in or handles writes there), and returns what it said.
    QStringList settle()
    {
        QStringList heard;
        QElapsedTimer still;
        still.start();
        QElapsedTimer total;
        total.start();
        while (still.elapsed() < 2000 && total.elapsed() < 60000) {
            QTest::qWait(100);
            const qint64 before = m_offset;
            heard << read();
            if (m_offset != before)
                still.restart();
        }
        return heard;
    }

private:
    QStringList read()
    {
        QFile log(m_path);
        QStringList said;
        if (!log.open(QIODevice::ReadOnly))
            return said;
        log.seek(m_offset);
        static const QRegularExpression speech(QStringLiteral("SPEECH OUTPUT: '(.*?)' ?\\{"));
        while (!log.atEnd()) {
            const QByteArray line = log.readLine();
            if (!line.endsWith('\n')) // Orca is still writing it
                break;
            m_offset += line.size();
            const QRegularExpressionMatch m = speech.match(QString::fromUtf8(line));
            if (m.hasMatch())
                said << m.captured(1);
        }
        return said;
    }

    QString m_path;
    qint64 m_offset = 0;
};

AnagraficaRecord card(const char* cognome, const char* nome, const char* conducente)
{
    AnagraficaRecord c;
    c.set(AnagraficaField::Cognome, QString::fromLatin1(cognome));
    c.set(AnagraficaField::Nome, QString::fromLatin1(nome));
    c.set(AnagraficaField::CodFisc, QStringLiteral("RSSMRA80A01H501U"));
    c.set(AnagraficaField::Conducente, QString::fromLatin1(conducente));
    return c;
}

void activate(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// A key press on the focused control. With the accessibility bridge up, Qt first offers every
// key to the reader and delivers it afterwards: the press has happened once the focus moved or
// the given time passed.
void press(QWidget* window, Qt::Key key, int waitMs = 300)
{
    QWidget* before = QApplication::focusWidget();
    QTest::keyClick(before ? before : window, key);
    QElapsedTimer t;
    t.start();
    while (QApplication::focusWidget() == before && t.elapsed() < waitMs)
        QTest::qWait(10);
}

// Presses Tab until target has the focus.
void tabTo(QWidget* window, QWidget* target)
{
    for (int i = 0; i < 40 && !target->hasFocus(); ++i)
        press(window, Qt::Key_Tab, 30000);
    QVERIFY(target->hasFocus());
}

int occurrences(const QStringList& heard, const QString& words)
{
    return int(heard.join(QLatin1Char(' ')).count(words));
}

// How many times Orca said exactly this (an utterance ends with a full stop).
int utterances(const QStringList& heard, const QString& words)
{
    return int(heard.count(words) + heard.count(words + QLatin1Char('.')));
}

} // namespace

class OrcaSpeech : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void searchResultsSayTheLine();
    void registerPersonsSayTheLine();
    void calendarDaysSayDateAndState();
    void startMenuSaysEachCommandOnce();
    void dayDialogSaysPersonAndState();

private:
    QStringList report(const char* stop, const QStringList& heard)
    {
        qInfo("%s %s: %s",
              qPrintable(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"))), stop,
              qPrintable(heard.join(QStringLiteral(" | "))));
        return heard;
    }
    void openCalendar();
    // Leaves target if it has the focus, lets Orca finish, then tabs into target: what Orca said
    // on the way in.
    QStringList tabInto(QWidget* window, QWidget* target, const char* stop, bool leaveFirst = true)
    {
        if (!leaveFirst) {
            // What Orca says from the window's opening until the focus is in target.
            tabTo(window, target);
            return report(stop, m_orca->settle());
        }
        // Orca answers every key before Qt delivers it: it first works through what is pending.
        m_orca->settle();
        if (target->hasFocus())
            press(window, Qt::Key_Backtab, 30000);
        if (target->hasFocus())
            return {QStringLiteral("(the focus did not leave)")};
        m_orca->settle();
        tabTo(window, target);
        return report(stop, m_orca->settle());
    }

    TempProgramFolder* m_folder = nullptr;
    OrcaLog* m_orca = nullptr;
};

void OrcaSpeech::initTestCase()
{
    const QString log = qEnvironmentVariable("VESTRANO_ORCA_LOG");
    if (log.isEmpty())
        QSKIP("run by tests/app/with_orca.sh, with Orca and its debug log");
    m_folder = new TempProgramFolder;
    QVERIFY(writeAll(registryFilePath(), card("ROSSI", "MARIO", "Magazzino").bytes()
                                             + card("VERDI", "ELENA", "Ufficio").bytes()));
    // As the program does: the screens are made, and the login passed, before the bridge to
    // the reader is up (it comes up once the event loop runs).
    createScreens();
    QVERIFY(logIn());
    QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "the accessibility bridge is not up", 10000);
    m_orca = new OrcaLog(log);
}

void OrcaSpeech::cleanupTestCase()
{
    delete m_orca;
    destroyScreens();
    delete m_folder;
}

void OrcaSpeech::searchResultsSayTheLine()
{
    m_orca->settle();
    auto* search = new TfrmTrovaClienti(static_cast<TfrmClienti*>(screens().frmClienti.data()));
    search->setAttribute(Qt::WA_DeleteOnClose);
    activate(search);
    search->btnCercaClick();
    auto* list = search->findChild<QListView*>(QStringLiteral("lstRecords"));
    QVERIFY(list && list->model()->rowCount() == 2);
    const QModelIndex second = list->model()->index(1, 0);
    list->selectionModel()->setCurrentIndex(second, QItemSelectionModel::ClearAndSelect);
    const QStringList heard = tabInto(search, list, "search results", false);
    QVERIFY2(occurrences(heard, second.data().toString().simplified()) >= 1,
             qPrintable(heard.join(QLatin1Char('|'))));
    search->close();
}

void OrcaSpeech::registerPersonsSayTheLine()
{
    m_orca->settle();
    QWidget* selection = screens().frmMenuCamere;
    activate(selection);
    auto* list = selection->findChild<QListWidget*>(QStringLiteral("lstRecords"));
    QVERIFY(list && list->count() == 2);
    list->setCurrentRow(0);
    const QStringList heard = tabInto(selection, list, "register's persons", false);
    QVERIFY2(occurrences(heard, list->item(0)->text().simplified()) >= 1,
             qPrintable(heard.join(QLatin1Char('|'))));
    selection->hide();
}

void OrcaSpeech::openCalendar()
{
    auto* calendar = static_cast<TfrmPlanning*>(screens().frmPlanning.data());
    calendar->setChoice(PersonYear{QStringLiteral("Rossi Mario"),
                                   {},
                                   QStringLiteral("RSSMRA"),
                                   {},
                                   QStringLiteral("2026"),
                                   {}});
    activate(calendar);
}

void OrcaSpeech::calendarDaysSayDateAndState()
{
    openCalendar();
    QWidget* calendar = screens().frmPlanning;
    auto* grid = calendar->findChild<DayGrid*>(QStringLiteral("grdGiorni"));
    QVERIFY(grid);
    grid->setCurrentSlot(0);
    const QStringList entering = tabInto(calendar, grid, "calendar grid");
    // The table, then the day it is on; entering a row, Orca goes on to read the whole row (its
    // own setting for tables, on by default).
    QCOMPARE(utterances(entering, QStringLiteral("1 gennaio, assente")), 1);
    press(calendar, Qt::Key_Right);
    const QStringList moving = report("calendar, next day", m_orca->settle());
    QCOMPARE(moving, QStringList{QStringLiteral("2 gennaio, assente.")});
    // The mouse hint is the grid's, said at most once on the way in, never for a day.
    QVERIFY(occurrences(entering, QStringLiteral("Fai clic")) <= 1);
}

void OrcaSpeech::startMenuSaysEachCommandOnce()
{
    auto* menu = static_cast<TfrmAvvio*>(screens().frmAvvio.data());
    activate(menu);
    named<Picture>(menu, "btnAnagrafica")->setFocus();
    m_orca->settle();
    QStringList stops;
    for (int i = 0; i < 12; ++i) {
        press(menu, Qt::Key_Tab, 30000);
        const QStringList heard = m_orca->settle();
        stops << heard.join(QLatin1Char(' '));
        if (QApplication::focusWidget() == named<Picture>(menu, "btnAnagrafica"))
            break;
    }
    report("start menu", stops);
    for (const QString& command :
         {QStringLiteral("Archivio anagrafico"), QStringLiteral("Registrazione presenze")}) {
        int stopsNaming = 0;
        for (const QString& stop : stops) {
            QVERIFY2(stop.count(command) <= 1, qPrintable(stop));
            stopsNaming += stop.contains(command) ? 1 : 0;
        }
        QVERIFY2(stopsNaming == 1, qPrintable(command));
    }
    menu->hide();
}

void OrcaSpeech::dayDialogSaysPersonAndState()
{
    openCalendar();
    QWidget* calendar = screens().frmPlanning;
    auto* grid = calendar->findChild<QWidget*>(QStringLiteral("grdGiorni"));
    tabTo(calendar, grid);
    m_orca->settle();
    QStringList heard;
    bool seen = false;
    // The dialog runs its own loop: it is heard from there, once it is up, and then cancelled.
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        auto* day = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!day || !day->isActiveWindow())
            return;
        watch.stop();
        heard = report("day dialog", m_orca->settle());
        seen = true;
        day->reject();
    });
    watch.start(50);
    QTest::keyClick(grid, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(seen, 20000);
    QCOMPARE(occurrences(heard, QStringLiteral("Rossi Mario")), 1);
    QCOMPARE(occurrences(heard, QStringLiteral("assente")), 1);
    calendar->hide();
}

QTEST_MAIN(OrcaSpeech)
#include "orcaspeech.moc"
