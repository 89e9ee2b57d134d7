// The windows as a desktop shows them: titles exactly the screens' captions, the product's icon
// on every window, the desktop file named. Offscreen this reads Qt's side; run on X11 (the
// windowtitles_x11 test, under Xvfb) it reads the properties the window manager reads.
#include "app/screens.h"
#include "common/testsupport.h"
#include "core/base/producticon.h"

#include "ui/messages.h"
#include "validators/frmiban.h"

#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <QtTest/QtTest>

#ifdef VESTRANO_TEST_X11
#include "common/xproperty.h"

#include <QtGui/qguiapplication_platform.h>
#endif

namespace {

struct Caption {
    QPointer<QWidget> Screens::*slot;
    const char* title;
};

// The long-lived screens with their captions, each beginning with a blank as written.
const Caption kCaptions[] = {
    {&Screens::frmPassword, " Vestrano - Autenticazione"},
    {&Screens::frmAvvio, " Vestrano"},
    {&Screens::frmCambiaPassword, " Cambia password"},
    {&Screens::frmClienti, " Vestrano - Archivio anagrafico"},
    {&Screens::frmMenuCamere, " Vestrano - Registrazione presenze"},
    {&Screens::frmPlanning, "  Vestrano - Anno"},
};

#ifdef VESTRANO_TEST_X11
// One property of an X window as the window manager reads it; empty when it is not set.
QByteArray xProperty(WId window, const char* name)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return QByteArray();
    return xWindowProperty(x11->connection(), xcb_window_t(window), name);
}

xcb_atom_t atom(const char* name)
{
    xcb_connection_t* c =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

// The name of the window manager running on the display; empty when none runs.
QString windowManagerName()
{
    xcb_connection_t* c =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const QByteArray check = xProperty(root, "_NET_SUPPORTING_WM_CHECK");
    if (check.size() < 4)
        return QString();
    return QString::fromUtf8(
        xProperty(*reinterpret_cast<const quint32*>(check.constData()), "_NET_WM_NAME"));
}

// The actions the window manager offers on a window, as it published them.
QList<xcb_atom_t> allowedActions(WId window)
{
    const QByteArray value = xProperty(window, "_NET_WM_ALLOWED_ACTIONS");
    const auto* atoms = reinterpret_cast<const xcb_atom_t*>(value.constData());
    return QList<xcb_atom_t>(atoms, atoms + value.size() / sizeof(xcb_atom_t));
}
#endif

} // namespace

class TestWindowTitles : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void titlesAreExactlyTheCaptions();
    void everyWindowCarriesTheProductIcon();
    void applicationNamesItsDesktopFile();
    void fixedWindowsHaveNoTitleBarButtons();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestWindowTitles::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    createScreens();
}

void TestWindowTitles::cleanup()
{
    destroyScreens();
    m_folder.reset();
}

void TestWindowTitles::titlesAreExactlyTheCaptions()
{
    for (const Caption& caption : kCaptions) {
        QWidget* screen = screens().*(caption.slot);
        QVERIFY(screen);
        const QString title = QString::fromUtf8(caption.title);
        const WId id = screen->winId(); // the native window, as showing creates it
        QCOMPARE(screen->windowTitle(), title);
        QVERIFY(screen->windowHandle());
        QCOMPARE(screen->windowHandle()->title(), title);
#ifdef VESTRANO_TEST_X11
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            // What a taskbar shows: no application name appended.
            QCOMPARE(QString::fromUtf8(xProperty(id, "_NET_WM_NAME")), title);
        }
#else
        Q_UNUSED(id);
#endif
    }
}

void TestWindowTitles::everyWindowCarriesTheProductIcon()
{
    QVERIFY(!productIconImage(48).isNull());
    QVERIFY(!QGuiApplication::windowIcon().isNull());
    QVERIFY(QGuiApplication::windowIcon().availableSizes().contains(QSize(48, 48)));
    // A dialog made at any time gets it too, not only the screens of start-up.
    QWidget dialog(screens().frmPassword, Qt::Dialog);
    QList<QWidget*> windows{&dialog};
    for (const Caption& caption : kCaptions)
        windows.append(screens().*(caption.slot));
    for (QWidget* window : windows) {
        const WId id = window->winId();
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(!window->windowHandle()->icon().isNull());
#ifdef VESTRANO_TEST_X11
        if (QGuiApplication::platformName() == QLatin1String("xcb")) {
            // _NET_WM_ICON: width, height, then that many ARGB pixels, per size.
            const QByteArray icon = xProperty(id, "_NET_WM_ICON");
            QVERIFY2(icon.size() > 8, qPrintable(window->objectName()));
        }
#else
        Q_UNUSED(id);
#endif
    }
}

void TestWindowTitles::applicationNamesItsDesktopFile()
{
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("vestrano"));
}

// The fixed windows (login, password change, every dialog and message box) are left through
// their own buttons: the window manager is told to draw a title and a border but no menu,
// minimise or maximise button, and to offer moving and closing only (its close, Alt+F4, does
// what the window's own exit does). Under a window manager (the windowtitles_openbox and
// windowtitles_xfwm4 tests) the actions it then offers on the window are read back.
void TestWindowTitles::fixedWindowsHaveNoTitleBarButtons()
{
    QStringList faults;
    const auto check = [&faults](QWidget* window, const QString& what) {
        const Qt::WindowFlags flags = window->windowFlags();
        if (flags & Qt::WindowMinMaxButtonsHint)
            faults << what + QStringLiteral(": minimise or maximise asked for");
        if (!(flags & Qt::WindowCloseButtonHint))
            faults << what + QStringLiteral(": no close for Alt+F4");
#ifdef VESTRANO_TEST_X11
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        // flags, functions, decorations, input mode, status: five 32-bit values.
        const QByteArray hints = xProperty(window->winId(), "_MOTIF_WM_HINTS");
        if (hints.size() < 12) {
            faults << what + QStringLiteral(": no _MOTIF_WM_HINTS");
            return;
        }
        const auto* v = reinterpret_cast<const quint32*>(hints.constData());
        enum { Functions = 1, Decorations = 2 };
        enum { FuncMove = 4, FuncMinimise = 8, FuncMaximise = 16, FuncClose = 32 };
        enum {
            DecorBorder = 2,
            DecorTitle = 8,
            DecorMenu = 16,
            DecorMinimise = 32,
            DecorMaximise = 64
        };
        if ((v[0] & (Functions | Decorations)) != (Functions | Decorations))
            faults
                << what + QStringLiteral(": functions or decorations not declared (%1)").arg(v[0]);
        if ((v[1] & (FuncMove | FuncClose)) != (FuncMove | FuncClose)
            || (v[1] & (FuncMinimise | FuncMaximise)))
            faults << what + QStringLiteral(": functions %1").arg(v[1]);
        if ((v[2] & (DecorBorder | DecorTitle)) != (DecorBorder | DecorTitle)
            || (v[2] & (DecorMenu | DecorMinimise | DecorMaximise)))
            faults << what + QStringLiteral(": decorations %1").arg(v[2]);
        // Under a window manager: what it offers on the window, as it tells pagers and taskbars.
        const QString manager = windowManagerName();
        if (manager.isEmpty())
            return;
        QList<xcb_atom_t> actions;
        for (int i = 0; i < 40 && actions.isEmpty(); ++i) {
            QTest::qWait(50);
            actions = allowedActions(window->winId());
        }
        const auto offered = [&actions](const char* action) {
            return actions.contains(atom(action));
        };
        for (const char* action : {"_NET_WM_ACTION_MOVE", "_NET_WM_ACTION_CLOSE"})
            if (!offered(action))
                faults << what + QStringLiteral(" under %1: no %2").arg(manager, action);
        QList<const char*> withheld{"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                    "_NET_WM_ACTION_MAXIMIZE_VERT"};
        // Openbox keeps minimising for every dialog and normal window: no hint withdraws it.
        if (manager != QLatin1String("Openbox"))
            withheld << "_NET_WM_ACTION_MINIMIZE";
        for (const char* action : withheld)
            if (offered(action))
                faults << what + QStringLiteral(" under %1: offers %2").arg(manager, action);
#endif
    };
    for (QPointer<QWidget> Screens::*slot : {&Screens::frmPassword, &Screens::frmCambiaPassword}) {
        QWidget* screen = screens().*slot;
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen));
        check(screen, screen->objectName());
        screen->hide();
    }
    TfrmIban dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    check(&dialog, dialog.objectName());
    dialog.close();
    bool boxSeen = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box || !QTest::qWaitForWindowExposed(box))
            return;
        boxSeen = true;
        check(box, QStringLiteral("message box"));
        box->close();
    });
    showMessage(nullptr, MessageKind::Plain, QStringLiteral("Prova"));
    QVERIFY(boxSeen);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestWindowTitles)
#include "tst_windowtitles.moc"
