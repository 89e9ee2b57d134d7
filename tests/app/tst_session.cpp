// The session: the screens behind the login wait without a native window and take no input
// (click, key, accessibility action) before the right password, and none acts again once the
// run ends. Text fields of every screen keep pasted control characters out.

#include "app/screens.h"
#include "common/pastesupport.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "core/access/passwordstore.h"
#include "ui/screenflow.h"
#include "ui/sessiongate.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QWindow>
#include <QtTest/QtTest>

#include <memory>

namespace {

struct Behind {
    QPointer<QWidget> Screens::*slot;
    const char* command; // a command of the screen that opens another screen or touches a file
};

// The long-lived screens behind the login, each with a command that would act.
const Behind kBehind[] = {
    {&Screens::frmAvvio, "btnAnagrafica"},
    {&Screens::frmClienti, "cmdSalva"},
    {&Screens::frmMenuCamere, "btnApriFatture"},
    {&Screens::frmPlanning, "cmdEsci"},
};

QStringList folderEntries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

QStringList visibleScreens()
{
    QStringList names;
    const Screens& s = screens();
    for (QWidget* w : {s.frmPassword.data(), s.frmAvvio.data(), s.frmCambiaPassword.data(),
                       s.frmClienti.data(), s.frmMenuCamere.data(), s.frmPlanning.data()}) {
        if (w && w->isVisible())
            names << w->objectName();
    }
    return names;
}

// Every way a person reaches a command: a click, the keyboard on the focused command, and a
// screen reader's press action.
void pressEveryWay(QAbstractButton* command)
{
    QTest::mouseClick(command, Qt::LeftButton);
    command->setFocus();
    QTest::keyClick(command, Qt::Key_Space);
    QTest::keyClick(command, Qt::Key_Return);
    if (QAccessibleInterface* a = QAccessible::queryAccessibleInterface(command)) {
        if (QAccessibleActionInterface* actions = a->actionInterface())
            actions->doAction(QAccessibleActionInterface::pressAction());
    }
}

} // namespace

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void screensBehindTheLoginHaveNoWindow();
    void screensBehindTheLoginDoNotActBeforeThePassword();
    void noScreenActsAfterTheRunEnds();
    void pastedControlCharactersAreRemoved_data();
    void pastedControlCharactersAreRemoved();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestSession::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QCOMPARE(PasswordStore().storePassword(QStringLiteral("VESTRANO")), StoreResult::Stored);
    createScreens();
    QVERIFY(QTest::qWaitForWindowExposed(screens().frmPassword));
}

void TestSession::cleanup()
{
    destroyScreens();
    m_folder.reset();
}

// Only the login has a native window while it waits: a hidden screen without one cannot be
// shown by another program, and the password change gets its own as it opens.
void TestSession::screensBehindTheLoginHaveNoWindow()
{
    QVERIFY(screens().frmPassword->windowHandle());
    QVERIFY(!screens().frmCambiaPassword->testAttribute(Qt::WA_WState_Created));
    for (const Behind& b : kBehind) {
        QWidget* screen = screens().*(b.slot);
        QVERIFY(screen);
        QVERIFY2(!screen->testAttribute(Qt::WA_WState_Created), qPrintable(screen->objectName()));
        QVERIFY2(!screen->windowHandle(), qPrintable(screen->objectName()));
        // The maximised state waits in the screen for its first showing.
        QVERIFY(screen->windowState() & Qt::WindowMaximized);
    }
    // After the password, the start menu shows maximised with its window.
    QVERIFY(logIn());
    QWidget* menu = screens().frmAvvio;
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    QVERIFY(menu->windowHandle()->windowStates() & Qt::WindowMaximized);
}

// Each screen behind the login is shown (as a code path gone wrong might) and its command
// pressed every way: the screen does not stay shown, nothing happens and no file appears.
// After the password the start menu's command works, which shows that the presses reach it.
void TestSession::screensBehindTheLoginDoNotActBeforeThePassword()
{
    const QStringList filesBefore = folderEntries(m_folder->path());
    const QStringList shown = visibleScreens();
    for (const Behind& b : kBehind) {
        QWidget* screen = screens().*(b.slot);
        auto* command = screen->findChild<QAbstractButton*>(QString::fromLatin1(b.command));
        QVERIFY2(command, b.command);
        screen->show();
        QCoreApplication::processEvents();
        QVERIFY2(!screen->isVisible(), b.command);
        pressEveryWay(command);
        QCoreApplication::processEvents();
        QCOMPARE(visibleScreens(), shown);
    }
    QCOMPARE(folderEntries(m_folder->path()), filesBefore);
    QVERIFY(!sessionUnlocked());

    QVERIFY(logIn());
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmAvvio")});
    auto* registry =
        screens().frmAvvio->findChild<QAbstractButton*>(QStringLiteral("btnAnagrafica"));
    QTest::mouseClick(registry, Qt::LeftButton);
    QCOMPARE(visibleScreens(), QStringList{QStringLiteral("frmClienti")});
}

// "Esci" of the start menu ends the run: from then on no screen acts or shows, the login's
// included.
void TestSession::noScreenActsAfterTheRunEnds()
{
    QVERIFY(logIn());
    QWidget* menu = screens().frmAvvio;
    QTest::mouseClick(menu->findChild<QAbstractButton*>(QStringLiteral("imgEsci")), Qt::LeftButton);
    QVERIFY(!sessionUnlocked());
    const QStringList shown = visibleScreens();
    QCOMPARE(shown, QStringList{QStringLiteral("frmAvvio")});
    pressEveryWay(menu->findChild<QAbstractButton*>(QStringLiteral("btnAnagrafica")));
    auto* login = screens().frmPassword.data();
    login->show();
    pressEveryWay(login->findChild<QAbstractButton*>(QStringLiteral("btnCambiaPassword")));
    QCoreApplication::processEvents();
    QCOMPARE(visibleScreens(), shown);
}

void TestSession::pastedControlCharactersAreRemoved_data()
{
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<PasteRoute>("route");
    const QString nul = QStringLiteral("333 ") + QChar(0) + QStringLiteral("444");
    const QString mixed = QStringLiteral("333 ") + QChar(0)
                          + QStringLiteral("44\x1b"
                                           "4\x7f")
                          + QChar(0x85) + QStringLiteral("5");
    const struct {
        const char* screen;
        const char* field;
        QString pasted;
        QString stored;
    } fields[] = {
        {"frmClienti", "txtRecapito", nul, QStringLiteral("333 444")},
        {"frmClienti", "txtCognome", nul, QStringLiteral("333 444")},
        {"frmMenuCamere", "txtAnnoFatture", mixed, QStringLiteral("3334")},
        {"frmCambiaPassword", "txtPasswordNew", mixed, QStringLiteral("333 4445")},
    };
    for (const auto& f : fields) {
        for (PasteRoute route : {PasteRoute::CtrlV, PasteRoute::ShiftInsert, PasteRoute::Menu}) {
            QTest::addRow("%s %s", f.field, qPrintable(routeName(route)))
                << QString::fromLatin1(f.screen) << QString::fromLatin1(f.field) << f.pasted
                << f.stored << route;
        }
    }
}

// What a field shows is what it holds: "333 " then a NUL then "444" pasted goes in as
// "333 444", with the cursor after it.
void TestSession::pastedControlCharactersAreRemoved()
{
    QFETCH(QString, screen);
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    QFETCH(QString, stored);
    QFETCH(PasteRoute, route);
    QVERIFY(logIn());
    QWidget* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == screen)
            window = w;
    }
    QVERIFY(window);
    switchScreen(screens().frmAvvio, window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* edit = window->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    edit->clear();
    QVERIFY(pasteInto(edit, pasted, route));
    QCOMPARE(edit->text(), stored);
    QCOMPARE(edit->cursorPosition(), stored.size());
    window->hide();
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
