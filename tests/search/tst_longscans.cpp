// Long passes over the registry and the long export write: the progress window that opens over
// them with the count done, and what Escape or Annulla in it leave behind (every file as it
// was; no list or grid of part of the registry passing for the whole one).

#include "search_support.h"

#include "core/registry/exportfile.h"
#include "help/openurl.h"
#include "registry/expclienti.h"
#include "registry/ricontatta.h"
#include "registry/trovaclienti.h"
#include "ui/longwork.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QtTest/QtTest>

namespace {

// Enough cards for a dozen progress steps.
constexpr int kCards = 3000;

QByteArray manyCards()
{
    QList<AnagraficaRecord> cards;
    for (int i = 0; i < kCards; ++i)
        cards.append(sampleCard(QStringLiteral("Rossi %1").arg(i), QStringLiteral("S\u00ec")));
    return cardsFile(cards);
}

// Watches for the progress window; once it is up, presses Escape on it (or clicks its
// Annulla), as a person would, and remembers what it showed at that moment.
class StopWhenShown : public QObject {
public:
    enum class How { Escape, Annulla, Never };
    explicit StopWhenShown(How how) : m_how(how) { qApp->installEventFilter(this); }
    ~StopWhenShown() override { qApp->removeEventFilter(this); }

    bool shown = false;
    QString count; // the count line when the window was first painted
    QString caption;
    int barValue = -1;
    bool modal = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = qobject_cast<QDialog*>(watched);
        if (event->type() != QEvent::Show || !window
            || window->objectName() != QLatin1String("frmAvanzamento") || shown)
            return false;
        shown = true;
        caption = window->windowTitle();
        modal = window->isModal();
        QPointer<QDialog> target(window);
        // The key reaches the window from the program's own event processing, while the
        // work is still going on.
        QTimer::singleShot(0, window, [this, target] {
            if (!target)
                return;
            count = target->findChild<QLabel*>(QStringLiteral("lblAvanzamento"))->text();
            barValue = target->findChild<QProgressBar*>(QStringLiteral("prgAvanzamento"))->value();
            if (m_how == How::Escape)
                QTest::keyClick(target.data(), Qt::Key_Escape);
            else if (m_how == How::Annulla)
                QTest::mouseClick(target->findChild<QPushButton*>(QStringLiteral("btnAnnulla")),
                                  Qt::LeftButton);
        });
        return false;
    }

private:
    How m_how;
};

bool progressWindowOpen()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmAvanzamento") && w->isVisible())
            return true;
    }
    return false;
}

} // namespace

class TestLongScans : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void search_data();
    void search();
    void recontactListStopped();
    void exportGridStopped();
    void exportWriteStopped_data();
    void exportWriteStopped();
    void shortWorkShowsNoWindow();

private:
    std::unique_ptr<CardScreen> m_card;
    QByteArray m_registry;
};

void TestLongScans::init()
{
    m_card = std::make_unique<CardScreen>();
    m_registry = manyCards();
    QVERIFY(writeAll(m_card->registry(), m_registry));
    // The window opens at the first step instead of after a second.
    LongWork::setDelayForTests(0);
}

void TestLongScans::cleanup()
{
    LongWork::setDelayForTests(1000);
    m_card.reset();
}

void TestLongScans::search_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Escape stops it") << int(StopWhenShown::How::Escape);
    QTest::newRow("Annulla stops it") << int(StopWhenShown::How::Annulla);
    QTest::newRow("left alone it lists every card") << int(StopWhenShown::How::Never);
}

void TestLongScans::search()
{
    QFETCH(int, how);
    auto search = std::make_unique<TfrmTrovaClienti>(m_card->screen.get());
    search->show();
    QVERIFY(QTest::qWaitForWindowExposed(search.get()));
    typeInto(searchFilter(search.get(), AnagraficaField::Cognome), QStringLiteral("rossi"));

    StopWhenShown stop{StopWhenShown::How(how)};
    QTest::mouseClick(named<QPushButton>(search.get(), "btnCerca"), Qt::LeftButton);

    QVERIFY(stop.shown);
    QVERIFY(stop.modal);
    QCOMPARE(stop.caption, QStringLiteral(" Ricerca schede in corso"));
    QVERIFY2(stop.count.startsWith(QStringLiteral("Schede lette: ")), qPrintable(stop.count));
    QVERIFY2(stop.count.endsWith(QStringLiteral(" su 3.000")), qPrintable(stop.count));
    QVERIFY(stop.barValue > 0 && stop.barValue < 1000);
    QVERIFY(!progressWindowOpen());
    QCOMPARE(readAll(m_card->registry()), m_registry);
    QCOMPARE(m_card->messages.count(), 0);

    if (StopWhenShown::How(how) == StopWhenShown::How::Never) {
        QCOMPARE(search->lines().size(), kCards);
        QVERIFY(named(search.get(), "panRisultati")->isVisible());
        return;
    }
    // Stopped: still on the filters as typed, nothing listed, ready for another try.
    QVERIFY(named(search.get(), "panFiltri")->isVisible());
    QVERIFY(!named(search.get(), "panRisultati")->isVisible());
    QVERIFY(!named<QLabel>(search.get(), "lblAttendere")->isVisible());
    QCOMPARE(search->lines().size(), 0);
    QCOMPARE(lineCount(listOf(search.get())), 0);
    QCOMPARE(searchFilter(search.get(), AnagraficaField::Cognome)->text(), QStringLiteral("rossi"));
    QVERIFY(search->isVisible());

    // A second Cerca, left to run, lists them all.
    LongWork::setDelayForTests(1000);
    QTest::mouseClick(named<QPushButton>(search.get(), "btnCerca"), Qt::LeftButton);
    QCOMPARE(search->lines().size(), kCards);
}

void TestLongScans::recontactListStopped()
{
    StopWhenShown stop{StopWhenShown::How::Escape};
    TfrmRicontatta list(m_card->screen.get());
    list.show();
    QVERIFY(stop.shown);
    QCOMPARE(list.lines().size(), 0);
    // A list of part of the ticked cards would pass for all of them: the dialog goes away.
    QTRY_VERIFY(!list.isVisible());
    QCOMPARE(list.result(), int(QDialog::Rejected));
    QCOMPARE(readAll(m_card->registry()), m_registry);
}

void TestLongScans::exportGridStopped()
{
    StopWhenShown stop{StopWhenShown::How::Escape};
    TfrmExpClienti dialog(m_card->screen.get());
    dialog.show();
    QVERIFY(stop.shown);
    QCOMPARE(stop.caption, QStringLiteral(" Lettura dell'archivio in corso"));
    // The grid keeps its empty rows, and the dialog, which would export them, goes away.
    QCOMPARE(
        dialog.findChild<QAbstractItemView*>(QStringLiteral("grdRecords"))->model()->rowCount(),
        10);
    QTRY_VERIFY(!dialog.isVisible());
    QVERIFY(!QFile::exists(m_card->folder.file(QStringLiteral("Anagrafica.xls"))));
}

void TestLongScans::exportWriteStopped_data()
{
    QTest::addColumn<bool>("earlierExport");
    QTest::newRow("the earlier export stays as it was") << true;
    QTest::newRow("no export is left behind") << false;
}

void TestLongScans::exportWriteStopped()
{
    QFETCH(bool, earlierExport);
    const QString xls = m_card->folder.file(QStringLiteral("Anagrafica.xls"));
    const QByteArray earlier("<html>an earlier export</html>");
    if (earlierExport)
        QVERIFY(writeAll(xls, earlier));
    const QStringList before = QDir(m_card->folder.path()).entryList(QDir::Files);

    LongWork::setDelayForTests(1000); // the grid fills without the window
    TfrmExpClienti dialog(m_card->screen.get());
    dialog.show();
    QCOMPARE(
        dialog.findChild<QAbstractItemView*>(QStringLiteral("grdRecords"))->model()->rowCount(),
        kCards);
    LongWork::setDelayForTests(0);
    ShellOpenRecorder shell;
    m_card->messages.setNextAnswer(MessageAnswer::Yes); // export now
    StopWhenShown stop{StopWhenShown::How::Escape};
    QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("cmdEsporta")), Qt::LeftButton);

    QVERIFY(stop.shown);
    QCOMPARE(stop.caption, QStringLiteral(" Esportazione in corso"));
    QVERIFY2(stop.count.startsWith(QStringLiteral("Righe scritte: ")), qPrintable(stop.count));
    // Only the question before the export: no success, no failure.
    QCOMPARE(m_card->messages.count(), 1);
    QCOMPARE(shell.count(), 0);
    QCOMPARE(QFile::exists(xls), earlierExport);
    if (earlierExport)
        QCOMPARE(readAll(xls), earlier);
    QCOMPARE(QDir(m_card->folder.path()).entryList(QDir::Files), before);
    QVERIFY(dialog.isVisible());
}

void TestLongScans::shortWorkShowsNoWindow()
{
    // Work that ends within its second never shows the window.
    LongWork::setDelayForTests(1000);
    StopWhenShown stop{StopWhenShown::How::Escape};
    TfrmTrovaClienti search(m_card->screen.get());
    search.show();
    QTest::mouseClick(named<QPushButton>(&search, "btnCerca"), Qt::LeftButton);
    QVERIFY(!stop.shown);
    QCOMPARE(search.lines().size(), kCards);
}

QTEST_MAIN(TestLongScans)
#include "tst_longscans.moc"
