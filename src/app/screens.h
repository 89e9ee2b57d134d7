#pragma once

#include "ui/screenflow.h"

// Start-up: registers the fonts, creates the long-lived screens in their fixed order (each
// runs its own one-time set-up), makes the end of the session store an open calendar's year
// (app/sessionend.h) and shows the login screen. Called by main and by tests.
void createScreens();

// Destroys every long-lived screen (tests start each case from a fresh set).
void destroyScreens();
