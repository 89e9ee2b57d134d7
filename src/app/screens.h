#pragma once

#include "ui/screenflow.h"

class ProgramFolderLock;

// Start-up: registers the fonts, creates the long-lived screens in their fixed order (each
// runs its own one-time set-up), makes the end of the session store an open calendar's year
// (app/sessionend.h) and shows the login screen. Called by main and by tests.
void createScreens();

// Destroys every long-lived screen (tests start each case from a fresh set).
void destroyScreens();

// Start-up as main runs it: takes the program folder for this run with lock, which main keeps
// until the run ends, then creates the screens: the login first, shown at once, and the other
// long-lived screens, in their order, as soon as its window has painted (or sooner, whenever
// anything reaches for them). When another running copy holds the folder, it
// says so and returns false without creating a screen or touching a file, and main ends the
// run. A folder where no lock can be made (read-only) starts all the same, without one.
bool startProgram(ProgramFolderLock& lock);

// The message of a copy started on a folder that another running copy holds; machine is the
// other copy's, as its lock names it.
QString folderInUseMessage(const QString& machine);
