#pragma once

class QWidget;

// The session of one run: locked until the right access password is given, open from then on,
// and ended for good when the run ends. A guarded screen takes no input while the session is
// not open: it is disabled, so no click, key, shortcut or accessibility action reaches any of
// its controls, whoever shows its window. Every long-lived screen but the login and the
// password change waits for the password; those two act until the run ends.

enum class SessionGuard {
    UntilUnlocked, // acts only while the session is open
    UntilEnd,      // acts from the start until the run ends
};

// A new run: the session is locked and no screen is guarded yet.
void beginSession();
// Puts screen under the session's rule from now on.
void guardScreen(QWidget* screen, SessionGuard guard);
// The right password: the screens that waited for it act.
void unlockSession();
// The run ends: no guarded screen acts again, until the next beginSession.
void endSession();
bool sessionUnlocked();
