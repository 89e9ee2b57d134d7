#pragma once

#include <QString>

#include <functional>
#include <vector>

// The user actions the benchmark times, each through the handlers a user triggers on the
// screens (or the units those handlers call), inside a process that has created the screens
// exactly as start-up does.

// What an action's time is set against.
enum class Floor {
    Read,        // reading the registry file front to back
    Grep,        // grep -c for the action's search text over the registry file
    ReadRecord,  // opening the registry and reading one record
    ReadYear,    // reading the year file
    WriteYear,   // writing the year file's record in place
    WriteExport, // writing as many bytes as the export file holds, durably (write and flush)
    PdfPage,     // writing a PDF of one empty page
    QtStart,     // an empty Qt window program's start-up
    None,
};

struct BenchAction {
    QString id;    // for the command line
    QString title; // for the table
    bool perSize;  // depends on the number of cards (else timed once)
    bool scans;    // reads the whole registry: timed over a million cards as well
    Floor floor;
    QString grepText; // for Floor::Grep
    // Runs the action once and returns the seconds the user waits; the set-up around it (a
    // dialog created, destroyed) is not counted.
    std::function<double()> run;
};

// The actions, in the order of the table. The program folder must be set and the screens
// created before any of them runs.
std::vector<BenchAction> benchActions();

// Processes what is pending and repaints the window at once, so a timing includes the
// layout and painting the user waits for.
class QWidget;
void settle(QWidget* window);
