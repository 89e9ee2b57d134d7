#pragma once

// The end of the session while the program runs: a logout (the session manager asks the
// program to commit its data), a shutdown or a kill without -9 (SIGTERM), a terminal that goes
// away (SIGHUP) or Ctrl+C in it (SIGINT). Each stores the year of an open calendar, as leaving
// the calendar does; the signals then end the run through the event loop, so nothing is cut off
// half-way. Installed once per process, at start-up.
void storeWorkWhenTheSessionEnds();
