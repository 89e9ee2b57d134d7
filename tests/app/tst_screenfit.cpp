// Screens that fit the screen they are on: on a 1280 x 720 screen (a 1920 x 1080 screen at
// 150 %), every maximised screen stays inside the screen's free area; its panel keeps its design
// size, centred where the window is large enough and scrolled where it is not; a field that
// takes the focus is scrolled into view where it is typed in.

#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest/QtTest>

namespace {
QRect rectIn(const QWidget* w, const QWidget* ancestor)
{
    return QRect(w->mapTo(ancestor, QPoint(0, 0)), w->size());
}
} // namespace

class TestScreenFit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void maximisedScreensStayOnTheScreen_data();
    void maximisedScreensStayOnTheScreen();
    void focusedFieldIsScrolledIntoView();

private:
    TempProgramFolder* m_folder = nullptr;
};

void TestScreenFit::initTestCase()
{
    QCOMPARE(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 1280, 720));
    m_folder = new TempProgramFolder;
    createScreens();
    QVERIFY(logIn());
}

void TestScreenFit::cleanupTestCase()
{
    destroyScreens();
    delete m_folder;
}

void TestScreenFit::maximisedScreensStayOnTheScreen_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"frmAvvio", "frmClienti", "frmMenuCamere", "frmPlanning"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestScreenFit::maximisedScreensStayOnTheScreen()
{
    QFETCH(QString, name);
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name)
            window = w;
    }
    QVERIFY(window);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect area = window->screen()->availableGeometry();
    QVERIFY2(area.contains(window->frameGeometry()),
             qPrintable(QStringLiteral("%1 x %2").arg(window->width()).arg(window->height())));

    auto* panel = window->findChild<QWidget*>(QStringLiteral("panContainer"));
    QVERIFY(panel);
    auto* scroll = window->findChild<QScrollArea*>();
    QVERIFY(scroll);
    const QWidget* viewport = scroll->viewport();
    // The whole screen; what a title bar and a desktop panel leave of it; a smaller window.
    for (const QSize size : {area.size(), QSize(1280, 640), QSize(800, 500)}) {
        window->resize(size);
        QCoreApplication::processEvents();
        const QString at = QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
        QCOMPARE(panel->size(), QSize(995, 692));
        QCOMPARE(rectIn(scroll, window), window->rect());
        const struct {
            QScrollBar* bar;
            int room;
            int panelSize;
            int (QRect::*start)() const;
            int (QRect::*end)() const;
        } directions[] = {
            {scroll->horizontalScrollBar(), viewport->width(), panel->width(), &QRect::left,
             &QRect::right},
            {scroll->verticalScrollBar(), viewport->height(), panel->height(), &QRect::top,
             &QRect::bottom},
        };
        for (const auto& d : directions) {
            if (d.room >= d.panelSize) {
                // It fits: centred, nothing to scroll.
                QVERIFY2(d.bar->maximum() == 0, qPrintable(at));
                QVERIFY2((rectIn(panel, viewport).*d.start)() == (d.room - d.panelSize) / 2,
                         qPrintable(at));
            } else {
                // It does not: scrolled to its end, the panel's last line is in the window.
                QVERIFY2(d.bar->maximum() == d.panelSize - d.room, qPrintable(at));
                d.bar->setValue(d.bar->maximum());
                QVERIFY2((rectIn(panel, viewport).*d.end)() == d.room - 1, qPrintable(at));
                d.bar->setValue(0);
                QVERIFY2((rectIn(panel, viewport).*d.start)() == 0, qPrintable(at));
            }
        }
    }
    window->hide();
}

void TestScreenFit::focusedFieldIsScrolledIntoView()
{
    QWidget* card = screens().frmClienti;
    card->show();
    card->resize(640, 480);
    QVERIFY(QTest::qWaitForWindowActive(card));
    auto* scroll = card->findChild<QScrollArea*>();
    QVERIFY(scroll);
    const QWidget* viewport = scroll->viewport();
    // The field at the bottom right of the panel and the one at its top left, in turn.
    for (const char* name : {"txtCodiceDest", "txtCognome", "txtCodiceDest"}) {
        auto* field = card->findChild<QLineEdit*>(QString::fromLatin1(name));
        QVERIFY2(field, name);
        field->setFocus();
        QCOMPARE(QApplication::focusWidget(), field);
        // Where the typing happens is in view.
        const QRect inField = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QRect cursor(field->mapTo(viewport, inField.topLeft()), inField.size());
        QVERIFY2(viewport->rect().contains(cursor), name);
    }
    card->hide();
}

int main(int argc, char* argv[])
{
    // The offscreen platform with one 1280 x 720 screen.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    if (!writeAll(config, R"({"screens":[{"name":"small","x":0,"y":0,"width":1280,"height":720,)"
                          R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})"))
        return 1;
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    QApplication app(argc, argv);
    TestScreenFit test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenfit.moc"
