// The program as another program on the same X display sees it: the real executable started
// in a temporary program folder, its windows listed, mapped and clicked from outside with the
// X protocol and xdotool. Before the password only the login has a window, so nothing behind
// it can be shown or used; the run ends, and frees the folder, whichever way the login's
// window goes. Runs under Xvfb (the outsideaccess_x11 test); elsewhere it is skipped.

#include "common/xproperty.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QtTest>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <memory>

namespace {

const QString kLoginTitle = QStringLiteral(" Vestrano - Autenticazione");
const QString kMenuTitle = QStringLiteral(" Vestrano");

struct XWindow {
    xcb_window_t id = 0;
    QString title;
    bool viewable = false;
    qint64 pid = 0;
};

class XDisplay {
public:
    XDisplay() : m_c(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_c) == 0)
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root;
    }
    ~XDisplay() { xcb_disconnect(m_c); }
    bool isOpen() const { return m_root != 0; }

    // Every window on the root, with its title, map state and the process it names.
    QList<XWindow> windows()
    {
        QList<XWindow> list;
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(m_c, xcb_query_tree(m_c, m_root), nullptr);
        if (!tree)
            return list;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; i < xcb_query_tree_children_length(tree); ++i) {
            XWindow w;
            w.id = children[i];
            w.title = QString::fromUtf8(property(w.id, "_NET_WM_NAME"));
            const QByteArray pid = property(w.id, "_NET_WM_PID");
            if (pid.size() == 4)
                w.pid = *reinterpret_cast<const quint32*>(pid.constData());
            if (xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(
                    m_c, xcb_get_window_attributes(m_c, w.id), nullptr)) {
                w.viewable = a->map_state == XCB_MAP_STATE_VIEWABLE;
                std::free(a);
            }
            list << w;
        }
        std::free(tree);
        return list;
    }

    void map(xcb_window_t id)
    {
        xcb_map_window(m_c, id);
        xcb_flush(m_c);
    }
    void destroy(xcb_window_t id)
    {
        xcb_destroy_window(m_c, id);
        xcb_flush(m_c);
    }
    void killClient(xcb_window_t id)
    {
        xcb_kill_client(m_c, id);
        xcb_flush(m_c);
    }

private:
    QByteArray property(xcb_window_t window, const char* name)
    {
        return xWindowProperty(m_c, window, name);
    }

    xcb_connection_t* m_c;
    xcb_window_t m_root = 0;
};

bool xdotool(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral("xdotool"), arguments);
    return p.waitForFinished(20000) && p.exitCode() == 0;
}

// The program, started from a program folder of its own.
class Program {
public:
    Program()
    {
        const QString exe = m_dir.filePath(QStringLiteral("vestrano"));
        QFile::copy(QStringLiteral(VESTRANO_PROGRAM), exe);
        QFile::setPermissions(exe, QFile::permissions(exe) | QFile::ExeOwner);
        QFile::copy(QStringLiteral(VESTRANO_PASSWORD_FILE),
                    folder() + QStringLiteral("unins000.dll"));
        QFile::setPermissions(folder() + QStringLiteral("unins000.dll"),
                              QFile::ReadOwner | QFile::WriteOwner);
        m_process.setProcessChannelMode(QProcess::ForwardedChannels);
        m_process.start(exe, QStringList());
        m_process.waitForStarted(20000);
    }
    ~Program()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(10000);
        }
    }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    qint64 pid() const { return m_pid ? m_pid : m_process.processId(); }
    void rememberPid() { m_pid = m_process.processId(); }
    bool hasEnded(int ms) { return m_process.waitForFinished(ms); }
    bool isRunning()
    {
        return !m_process.waitForFinished(1) && m_process.state() == QProcess::Running;
    }
    QStringList files() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    qint64 m_pid = 0;
};

QList<XWindow> windowsOf(XDisplay& display, qint64 pid)
{
    QList<XWindow> mine;
    for (const XWindow& w : display.windows()) {
        if (w.pid == pid)
            mine << w;
    }
    return mine;
}

// Waits for the viewable window of the program with that title; 0 when none comes.
xcb_window_t waitForWindow(XDisplay& display, qint64 pid, const QString& title)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 60000) {
        for (const XWindow& w : windowsOf(display, pid)) {
            if (w.viewable && w.title == title)
                return w.id;
        }
        QThread::msleep(50);
    }
    return 0;
}

} // namespace

class TestOutsideAccess : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyTheLoginHasAWindowBeforeThePassword();
    void theRunEndsAndFreesTheFolder_data();
    void theRunEndsAndFreesTheFolder();

private:
    // One connection for the whole run. An X server with no client left resets itself, and
    // while it does it refuses new connections: a connection per case, opened just after the
    // last program of the case before has gone, would then fail at random.
    std::unique_ptr<XDisplay> m_display;
};

void TestOutsideAccess::initTestCase()
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("xcb"))
        QSKIP("needs an X display (the outsideaccess_x11 test runs it under Xvfb)");
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("needs xdotool");
    m_display = std::make_unique<XDisplay>();
    QVERIFY(m_display->isOpen());
}

// Every window the program made, but the login, is mapped from outside and clicked where the
// start menu's registry button and the card screen's commands would be, and sent Enter: no
// screen appears and no file is written. The right password typed into the login then opens
// the start menu, seen the same way.
void TestOutsideAccess::onlyTheLoginHasAWindowBeforeThePassword()
{
    XDisplay& display = *m_display;
    QList<xcb_window_t> before;
    for (const XWindow& w : display.windows())
        before << w.id;
    Program program;
    const xcb_window_t login = waitForWindow(display, program.pid(), kLoginTitle);
    QVERIFY(login);
    QThread::msleep(300);

    const QList<XWindow> owned = windowsOf(display, program.pid());
    QCOMPARE(owned.size(), 1);
    QCOMPARE(owned.first().id, login);
    const QStringList files = program.files();
    int mapped = 0;
    for (const XWindow& w : display.windows()) {
        if (before.contains(w.id) || w.id == login)
            continue;
        display.map(w.id);
        ++mapped;
        const QString id = QString::number(w.id);
        // Where the start menu's registry button would be, and two places away from the
        // login (which acts, and whose "Esci" would end the run).
        for (const char* at : {"393 730", "1100 900", "200 100"}) {
            const QStringList xy = QString::fromLatin1(at).split(QLatin1Char(' '));
            xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), id, xy.at(0),
                     xy.at(1), QStringLiteral("click"), QStringLiteral("1")});
        }
        xdotool({QStringLiteral("key"), QStringLiteral("--window"), id, QStringLiteral("Return")});
    }
    QVERIFY(mapped > 0); // the window system's own windows of the program, at least
    QThread::msleep(500);
    QVERIFY(program.isRunning());
    for (const XWindow& w : windowsOf(display, program.pid()))
        QVERIFY2(w.id == login || !w.viewable, qPrintable(w.title));
    QCOMPARE(program.files(), files);
    QVERIFY(!files.contains(QStringLiteral("Anagrafica.pro")));

    const QString id = QString::number(login);
    QVERIFY(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id}));
    QVERIFY(xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
                     QStringLiteral("vestrano")}));
    QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Return")}));
    QVERIFY(waitForWindow(display, program.pid(), kMenuTitle));
}

void TestOutsideAccess::theRunEndsAndFreesTheFolder_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Esci") << QStringLiteral("esci");
    QTest::newRow("login window destroyed") << QStringLiteral("destroy");
    QTest::newRow("connection killed") << QStringLiteral("kill");
    QTest::newRow("session ends (SIGTERM)") << QStringLiteral("term");
}

// However the login's window goes, the process ends, no window of it stays and the program
// folder's lock is removed.
void TestOutsideAccess::theRunEndsAndFreesTheFolder()
{
    QFETCH(QString, how);
    XDisplay& display = *m_display;
    Program program;
    const xcb_window_t login = waitForWindow(display, program.pid(), kLoginTitle);
    QVERIFY(login);
    program.rememberPid();
    QVERIFY(QFile::exists(program.folder() + QStringLiteral("vestrano.lock")));
    const QString id = QString::number(login);
    if (how == QLatin1String("esci")) {
        // From the password field, Tab passes the disabled OK and lands on "Esci".
        QVERIFY(xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), id}));
        QVERIFY(xdotool({QStringLiteral("key"), QStringLiteral("Tab"), QStringLiteral("space")}));
    } else if (how == QLatin1String("destroy")) {
        display.destroy(login);
    } else if (how == QLatin1String("kill")) {
        display.killClient(login);
    } else {
        QCOMPARE(::kill(pid_t(program.pid()), SIGTERM), 0);
    }
    QVERIFY(program.hasEnded(10000));
    QVERIFY(windowsOf(display, program.pid()).isEmpty());
    QVERIFY(!QFile::exists(program.folder() + QStringLiteral("vestrano.lock")));
}

QTEST_GUILESS_MAIN(TestOutsideAccess)
#include "tst_outsideaccess.moc"
