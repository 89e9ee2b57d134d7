// The program on a Wayland compositor that offers no keyboard and pointer seat (weston's
// headless backend): Qt's Wayland plugin would crash as soon as a focused line edit draws its
// cursor (the file dialog of "Allega file" > "Sfoglia..."). The start-up's platform choice
// keeps it running there. The test starts weston itself and the program's start-up as a copy
// of this test in a process of its own; without weston it is skipped.

#include "app/platformchoice.h"
#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "ui/screenflow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QtTest>

#include <cstdio>
#include <memory>

namespace {

const char* const kChildVariable = "VESTRANO_TEST_WAYLAND_CHILD";

// Presses the first visible command whose name starts with name, in any window.
void pressLater(const QString& name, int ms)
{
    QTimer::singleShot(ms, [name] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            for (auto* b : window->findChildren<QAbstractButton*>()) {
                if (b->isVisible() && b->objectName().startsWith(name)) {
                    b->click();
                    return;
                }
            }
        }
    });
}

// The copy: the program's start-up, then the card screen's "Allega file" and the first slot's
// "Sfoglia...", whose file dialog is shown and closed. Exits 0 when all of that went by.
int runChild(int argc, char** argv)
{
    const QByteArray mode = qgetenv(kChildVariable);
    avoidWaylandWithoutSeat();
    if (mode == "choice") {
        std::printf("%s|%s\n", qgetenv("QT_QPA_PLATFORM").constData(),
                    qgetenv("QT_IM_MODULE").constData());
        return 0;
    }
    QApplication app(argc, argv);
    TempProgramFolder folder;
    createScreens();
    if (!logIn())
        return 2;
    switchScreen(screens().frmAvvio, screens().frmClienti);
    pressLater(QStringLiteral("cmdFile"), 300);
    pressLater(QStringLiteral("btnSfoglia"), 900);
    bool sawDialog = false;
    QTimer::singleShot(2500, [&sawDialog] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            sawDialog = true;
            dialog->reject();
        }
    });
    QTimer::singleShot(3000, [] { terminateApplication(); });
    app.exec();
    destroyScreens();
    std::printf("%s %s\n", qPrintable(QGuiApplication::platformName()),
                sawDialog ? "dialog" : "no-dialog");
    return sawDialog ? 0 : 3;
}

} // namespace

class TestWaylandSeat : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void headlessCompositorOffersNoSeat();
    void platformChoiceWithoutSeat_data();
    void platformChoiceWithoutSeat();
    void fileDialogOpensWithoutSeat();

private:
    QProcessEnvironment childEnvironment(const QByteArray& mode) const;

    std::unique_ptr<QTemporaryDir> m_runtime;
    QProcess m_weston;
};

void TestWaylandSeat::initTestCase()
{
    const QString weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
    if (weston.isEmpty())
        QSKIP("needs weston (Debian package weston) and Qt's Wayland plugin (qt6-wayland)");
    m_runtime = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(m_runtime->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    m_weston.setProcessEnvironment(env);
    m_weston.setProcessChannelMode(QProcess::MergedChannels);
    m_weston.start(weston,
                   {QStringLiteral("--backend=headless-backend.so"),
                    QStringLiteral("--socket=vestrano-test"), QStringLiteral("--idle-time=0")});
    QVERIFY(m_weston.waitForStarted(10000));
    QElapsedTimer clock;
    clock.start();
    while (!QFile::exists(m_runtime->filePath(QStringLiteral("vestrano-test")))
           && clock.elapsed() < 20000)
        QTest::qWait(50);
    QVERIFY2(QFile::exists(m_runtime->filePath(QStringLiteral("vestrano-test"))),
             m_weston.readAll().constData());
}

void TestWaylandSeat::cleanupTestCase()
{
    if (m_weston.state() != QProcess::NotRunning) {
        m_weston.terminate();
        if (!m_weston.waitForFinished(10000))
            m_weston.kill();
    }
}

QProcessEnvironment TestWaylandSeat::childEnvironment(const QByteArray& mode) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("vestrano-test"));
    env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    env.insert(QString::fromLatin1(kChildVariable), QString::fromLatin1(mode));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("QT_IM_MODULE"));
    env.remove(QStringLiteral("DISPLAY"));
    return env;
}

void TestWaylandSeat::headlessCompositorOffersNoSeat()
{
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime->path()));
    qputenv("WAYLAND_DISPLAY", "vestrano-test");
    const WaylandSeat seat = waylandSeat();
    qputenv("WAYLAND_DISPLAY", "vestrano-no-such-display");
    const WaylandSeat none = waylandSeat();
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("XDG_RUNTIME_DIR", saved);
    QCOMPARE(seat, WaylandSeat::None);
    QCOMPARE(none, WaylandSeat::NoDisplay);
}

void TestWaylandSeat::platformChoiceWithoutSeat_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("Xwayland there: X11")
        << QStringLiteral(":77") << QString() << QStringLiteral("xcb|");
    QTest::newRow("no X11: Wayland without text input")
        << QString() << QString() << QStringLiteral("|none");
    QTest::newRow("Wayland asked for")
        << QString() << QStringLiteral("wayland") << QStringLiteral("wayland|none");
    QTest::newRow("X11 asked for: left alone")
        << QStringLiteral(":77") << QStringLiteral("xcb") << QStringLiteral("xcb|");
}

void TestWaylandSeat::platformChoiceWithoutSeat()
{
    QFETCH(QString, display);
    QFETCH(QString, platform);
    QFETCH(QString, chosen);
    QProcessEnvironment env = childEnvironment("choice");
    if (!display.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), display);
    if (!platform.isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(20000));
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()).trimmed(), chosen);
}

// The path that crashed: the card screen's "Allega file", then "Sfoglia...": the file dialog
// opens and closes, and the run ends normally.
void TestWaylandSeat::fileDialogOpensWithoutSeat()
{
    QProcess child;
    child.setProcessEnvironment(childEnvironment("program"));
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForFinished(60000));
    const QByteArray said = child.readAllStandardOutput();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(QString::fromUtf8(said).trimmed(), QStringLiteral("wayland dialog"));
    QCOMPARE(child.exitCode(), 0);
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet(kChildVariable))
        return runChild(argc, argv);
    QApplication app(argc, argv);
    TestWaylandSeat test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_waylandseat.moc"
