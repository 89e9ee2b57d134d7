#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

// The six long-lived screens: one instance each for the whole run, shown and hidden, reached
// by every other screen through these slots. Dialogs are not here: each opening creates a
// fresh one owned by the opener and destroys it on close. The slots are filled at start-up
// (app/screens.h); a screen reaches another only through them, so no screen includes the top.
struct Screens {
    QPointer<QWidget> frmPassword;       // login, the main window
    QPointer<QWidget> frmAvvio;          // start menu
    QPointer<QWidget> frmCambiaPassword; // password change
    QPointer<QWidget> frmClienti;        // registry card screen
    QPointer<QWidget> frmMenuCamere;     // person and year selection
    QPointer<QWidget> frmPlanning;       // annual calendar
};

// The slots; screens still to be built at start-up (see setPendingScreens) are built first.
Screens& screens();

// Start-up shows the login before it builds the other long-lived screens: build, handed here,
// builds them, and runs on the first call of screens() after this one (so nothing ever finds a
// slot still empty) or when the program's start-up runs it itself.
void setPendingScreens(std::function<void()> build);

// Hands over from one long-lived screen to another: shows next, then hides current. When next
// does not exist, nothing changes.
void switchScreen(QWidget* current, QWidget* next);

// Ends the run: the session ends (no screen acts again), the event loop stops and the process
// exits; nothing is saved here.
void terminateApplication();
