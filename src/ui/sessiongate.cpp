#include "ui/sessiongate.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace {

enum class State { Locked, Unlocked, Ended };

struct Guarded {
    QPointer<QWidget> screen;
    SessionGuard guard;
    // The control that had the focus when the screen was shut: it gets it back on opening.
    QPointer<QWidget> focus;
};

struct Session {
    State state = State::Locked;
    std::vector<Guarded> screens;
};

Session& session()
{
    static Session s;
    return s;
}

bool mayAct(SessionGuard guard, State state)
{
    return state == State::Unlocked || (guard == SessionGuard::UntilEnd && state == State::Locked);
}

// A guarded screen shown while it may not act (by a code path gone wrong) runs no show handler
// (which would read its files) and is hidden again at once.
class ShowRefusal : public QObject {
public:
    ShowRefusal(QWidget* screen, SessionGuard guard) : QObject(screen), m_guard(guard) {}

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SessionGuard m_guard;
};

void shut(Guarded& g)
{
    if (!g.screen || !g.screen->isEnabled())
        return;
    g.focus = g.screen->focusWidget();
    g.screen->setEnabled(false);
}

void open(Guarded& g)
{
    if (!g.screen || g.screen->isEnabled())
        return;
    g.screen->setEnabled(true);
    if (g.focus && !g.screen->focusWidget())
        g.focus->setFocus(Qt::OtherFocusReason);
}

void apply()
{
    Session& s = session();
    for (Guarded& g : s.screens) {
        if (mayAct(g.guard, s.state))
            open(g);
        else
            shut(g);
    }
}

bool ShowRefusal::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || watched != parent() || mayAct(m_guard, session().state))
        return false;
    auto* screen = static_cast<QWidget*>(watched);
    QMetaObject::invokeMethod(screen, &QWidget::hide, Qt::QueuedConnection);
    return true;
}

} // namespace

void beginSession()
{
    session() = Session();
}

void guardScreen(QWidget* screen, SessionGuard guard)
{
    if (!screen)
        return;
    session().screens.push_back({screen, guard, nullptr});
    screen->installEventFilter(new ShowRefusal(screen, guard));
    apply();
}

void unlockSession()
{
    if (session().state == State::Locked) {
        session().state = State::Unlocked;
        apply();
    }
}

void endSession()
{
    session().state = State::Ended;
    apply();
}

bool sessionUnlocked()
{
    return session().state == State::Unlocked;
}
