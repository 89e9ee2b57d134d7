#pragma once

#include <QDateTime>

// The one clock of the system: default years and the closing lines of printed documents read
// it. Tests can stop it at a moment of their choice.
QDateTime currentDateTime();
void setClockForTests(const QDateTime& fixed); // an invalid QDateTime restores the real clock
