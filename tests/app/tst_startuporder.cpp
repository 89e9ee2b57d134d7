// Start-up as the program runs it: the login window appears first, and the other long-lived
// screens are built, in their order, once it has painted, or at once when anything reaches for
// them sooner.

#include "app/screens.h"
#include "common/testsupport.h"
#include "core/storage/folderlock.h"

#include <QApplication>
#include <QtTest/QtTest>

namespace {

const QStringList kOrder = {"frmPassword", "frmAvvio",      "frmCambiaPassword",
                            "frmClienti",  "frmMenuCamere", "frmPlanning"};

// The long-lived screens that exist, by name, in the order they were made; found without
// asking the screen slots, which would build the rest.
QStringList builtScreens()
{
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (kOrder.contains(w->objectName()))
            names.append(w->objectName());
    }
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return kOrder.indexOf(a) < kOrder.indexOf(b);
    });
    return names;
}

} // namespace

class TestStartupOrder : public QObject {
    Q_OBJECT

private slots:
    void loginFirstThenTheRest();
    void reachingForAScreenBuildsTheRest();
};

void TestStartupOrder::loginFirstThenTheRest()
{
    TempProgramFolder folder;
    ProgramFolderLock lock;
    QVERIFY(startProgram(lock));
    QCOMPARE(builtScreens(), QStringList{"frmPassword"});
    QWidget* login = QApplication::topLevelWidgets().value(0);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmPassword"))
            login = w;
    }
    QVERIFY(login->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(login));
    // Once the login has painted, the event loop builds the other five.
    QTRY_COMPARE(builtScreens(), kOrder);
    QVERIFY(!screens().frmClienti->isVisible());
    // The product's icon comes with them, to the login as to every other window.
    QVERIFY(!login->windowIcon().isNull());
    QVERIFY(!screens().frmClienti->windowIcon().isNull());
    destroyScreens();
}

void TestStartupOrder::reachingForAScreenBuildsTheRest()
{
    TempProgramFolder folder;
    ProgramFolderLock lock;
    QVERIFY(startProgram(lock));
    // Before any event is processed (a password typed ahead and Enter pressed at once, say),
    // the start menu is there to go to.
    QVERIFY(screens().frmAvvio);
    QCOMPARE(builtScreens(), kOrder);
    QVERIFY(screens().frmPassword->isVisible());
    destroyScreens();
}

QTEST_MAIN(TestStartupOrder)
#include "tst_startuporder.moc"
