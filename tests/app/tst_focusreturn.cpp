// The keyboard comes back where it was: when a dialog, a message box or the print preview
// closes, its opener's window is active again and the focus is on the control that opened it,
// however deep the windows were stacked. Driven with real keys only. Run offscreen, and on X11
// (the focusreturn_x11 tests, under Xvfb, bare and under a window manager), where it is the
// window system that has to be told which window gets the keyboard.

#include "app/screens.h"
#include "common/sessionsupport.h"
#include "common/testsupport.h"
#include "register/planning.h"
#include "registry/clienti.h"
#include "ui/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest/QtTest>

#include <functional>
#include <memory>

namespace {

// What the user does in one modal window, once it is up and has the keyboard: the object name
// of the window, then the keys.
struct ModalStep {
    QString window;
    std::function<void(QWidget*)> keys;
};

// Plays the steps, each on the next modal window that comes up and takes the keyboard. A step
// whose window does not come up, or is not the expected one, closes whatever is up and fails
// the test through the failures list.
class ModalScript : public QObject {
public:
    explicit ModalScript(QList<ModalStep> steps) : m_steps(std::move(steps)) { next(); }

    QStringList failures;
    bool done() const { return m_steps.isEmpty(); }

private:
    // A fresh timer each time: a step's keys may open the next window, whose nested event loop
    // runs inside the step, and Qt does not fire a timer inside its own timeout.
    void next() { QTimer::singleShot(10, this, &ModalScript::tick); }

    void tick()
    {
        if (m_steps.isEmpty())
            return;
        next();
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_last)
            return;
        if (!modal->isActiveWindow() || !QApplication::focusWidget()) {
            if (++m_waited < 300)
                return;
            failures << QStringLiteral("%1 did not get the keyboard").arg(modal->objectName());
        }
        m_waited = 0;
        const ModalStep step = m_steps.takeFirst();
        m_last = modal;
        if (modal->objectName() != step.window) {
            failures << QStringLiteral("expected %1, got %2").arg(step.window, modal->objectName());
            m_steps.clear();
            modal->close();
            return;
        }
        step.keys(modal);
    }

    QList<ModalStep> m_steps;
    QPointer<QWidget> m_last;
    int m_waited = 0;
};

void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == window ? target : window, key, modifiers);
}

const auto escape = [](QWidget* w) { press(w, Qt::Key_Escape); };

// Shows a window and waits until it has the keyboard.
bool activate(QWidget* window)
{
    window->show();
    // A window manager ignores a request to activate a window it has not mapped yet.
    if (!QTest::qWaitForWindowExposed(window))
        return false;
    window->raise();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace

class TestFocusReturn : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void focusGoesBackToTheOpener_data();
    void focusGoesBackToTheOpener();
    void messageBoxGivesTheFocusBack();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
};

void TestFocusReturn::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    createScreens();
    QVERIFY(logIn());
    if (QWidget* login = screens().frmPassword)
        login->hide();
}

void TestFocusReturn::cleanup()
{
    destroyScreens();
    m_folder.reset();
}

using Screen = QPointer<QWidget> Screens::*;
Q_DECLARE_METATYPE(Screen)
Q_DECLARE_METATYPE(QList<ModalStep>)

void TestFocusReturn::focusGoesBackToTheOpener_data()
{
    QTest::addColumn<Screen>("screen");
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QList<ModalStep>>("steps");

    // The calendar sheet's preview dialog opens the preview window, which Escape closes; the
    // dialog then closes by itself.
    const auto tabThenEnter = [](QWidget* w) {
        press(w, Qt::Key_Tab);
        press(w, Qt::Key_Return);
    };
    QTest::newRow("calendar sheet preview")
        << &Screens::frmPlanning << QStringLiteral("cmdAnteprima")
        << QList<ModalStep>{{QStringLiteral("frmAnteprimaPlanning"), tabThenEnter},
                            {QStringLiteral("frmAnteprimaReport"), escape}};
    QTest::newRow("calendar sheet print, cancelled")
        << &Screens::frmPlanning << QStringLiteral("cmdStampa")
        << QList<ModalStep>{
               {QStringLiteral("frmStampaPlanning"), [](QWidget* w) { press(w, Qt::Key_Return); }}};
    QTest::newRow("start menu information")
        << &Screens::frmAvvio << QStringLiteral("imgInfo")
        << QList<ModalStep>{{QStringLiteral("frmInfo"), escape}};
    QTest::newRow("card screen search")
        << &Screens::frmClienti << QStringLiteral("cmdTrova")
        << QList<ModalStep>{{QStringLiteral("frmTrovaClienti"), escape}};
    // The help stacked on the export dialog gives the keyboard back to the export dialog's
    // help command, which Tab reaches from the grid; Escape then leaves the export dialog.
    QTest::newRow("export, then its help")
        << &Screens::frmClienti << QStringLiteral("cmdEsporta")
        << QList<ModalStep>{
               {QStringLiteral("frmExpClienti"),
                [](QWidget* w) {
                    // Where the focus is at each stop; the dialog is closed whatever they are,
                    // so that a fault fails the test instead of leaving the dialog up.
                    const auto focused = [] {
                        QWidget* f = QApplication::focusWidget();
                        return f ? f->objectName() : QString();
                    };
                    QStringList stops{focused()};
                    press(w, Qt::Key_Tab);
                    stops << focused();
                    press(w, Qt::Key_Tab);
                    stops << focused();
                    press(w, Qt::Key_Return);
                    const bool back = QTest::qWaitFor([&] {
                        return w->isActiveWindow() && focused() == QLatin1String("cmdGuida");
                    });
                    stops << (back ? focused() : QString());
                    press(w, Qt::Key_Escape);
                    QCOMPARE(stops, (QStringList{
                                        QStringLiteral("grdRecords"), QStringLiteral("cmdEsporta"),
                                        QStringLiteral("cmdGuida"), QStringLiteral("cmdGuida")}));
                }},
               {QStringLiteral("frmGuida"), escape}};
}

void TestFocusReturn::focusGoesBackToTheOpener()
{
    QFETCH(Screen, screen);
    QFETCH(QString, opener);
    QFETCH(QList<ModalStep>, steps);

    QWidget* window = screens().*screen;
    QVERIFY(window);
    QVERIFY(activate(window));
    auto* command = window->findChild<QAbstractButton*>(opener);
    QVERIFY(command);
    command->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), command);

    ModalScript script(steps);
    QTest::keyClick(command, Qt::Key_Return); // returns when every window it opened has closed
    QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
    QVERIFY(script.done());
    QVERIFY(!QApplication::activeModalWidget());
    QTRY_VERIFY(window->isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), command);
    // The keyboard really works there: Tab moves on from the opener.
    QTest::keyClick(command, Qt::Key_Tab);
    QTRY_VERIFY(QApplication::focusWidget() != command);
}

// A message box gives the focus back to the command that asked it, not to the window.
void TestFocusReturn::messageBoxGivesTheFocusBack()
{
    QWidget window;
    window.setObjectName(QStringLiteral("frmProva"));
    auto* first = new QPushButton(QStringLiteral("Primo"), &window);
    auto* asks = new QPushButton(QStringLiteral("Chiedi"), &window);
    asks->move(0, 40);
    int answers = 0;
    connect(asks, &QPushButton::clicked, &window, [&] {
        showMessage(&window, MessageKind::Confirmation, QStringLiteral("Continuare?"));
        ++answers;
    });
    QVERIFY(activate(&window));
    asks->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), asks);

    ModalScript script({{QString(), [](QWidget* box) { press(box, Qt::Key_Escape); }}});
    QTest::keyClick(asks, Qt::Key_Space);
    QVERIFY2(script.failures.isEmpty(), qPrintable(script.failures.join(QStringLiteral("; "))));
    QCOMPARE(answers, 1);
    QTRY_VERIFY(window.isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), asks);
    QVERIFY(first->isVisible());
}

QTEST_MAIN(TestFocusReturn)
#include "tst_focusreturn.moc"
