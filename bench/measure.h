#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Clocks, memory figures and child processes for the benchmark driver.

// A monotonic clock in seconds.
double nowSeconds();

// The peak resident memory of this process in kB (VmHWM), and setting that peak back to what
// is resident now, so the next reading is the peak of what ran in between.
long peakResidentKb();
void resetPeakResident();

// A child process run to its end: wall time from start to exit, its peak resident memory
// (from the kernel's accounting of the child) and what it wrote to its standard output.
struct ChildRun {
    bool started = false;
    int exitCode = -1;
    double seconds = 0;
    long peakKb = 0;
    QByteArray output;
};
ChildRun runChild(const QString& program, const QStringList& arguments);

// Reads the whole file front to back in large blocks and throws the bytes away: the fastest
// any scan of the file can be. Returns the seconds taken, or a negative value on failure.
double sequentialRead(const QString& path);

// The median of a few figures (they are sorted in place).
double median(QList<double>& values);
