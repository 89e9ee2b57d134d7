#pragma once

#include <QPointer>
#include <QWidget>

// The six long-lived screens: one instance each for the whole run, shown and hidden, reached
// by every other screen through this registry. Dialogs are not here: each opening creates a
// fresh one owned by the opener and destroys it on close.
struct Screens {
    QPointer<QWidget> frmPassword;        // login, the main window
    QPointer<QWidget> frmAvvio;           // start menu
    QPointer<QWidget> frmCambiaPassword;  // password change
    QPointer<QWidget> frmClienti;         // registry card screen
    QPointer<QWidget> frmMenuCamere;      // person and year selection
    QPointer<QWidget> frmPlanning;        // annual calendar
};

Screens& screens();

// Start-up: registers the fonts, creates the long-lived screens in their fixed order (each
// runs its own one-time set-up) and shows the login screen. Called by main and by tests.
void createScreens();

// Destroys every long-lived screen (tests start each case from a fresh set).
void destroyScreens();

// Hands over from one long-lived screen to another: shows next, then hides current. When next
// does not exist, nothing changes.
void switchScreen(QWidget* current, QWidget* next);

// Ends the run: the event loop stops and the process exits; nothing is saved here.
void terminateApplication();
