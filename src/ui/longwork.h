#pragma once

#include "core/base/progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

// Stands beside a long piece of work done on the user-interface thread (a pass over a large
// registry, a large export). The work calls progress() now and then; once it has run for about a
// second a small modal window opens over the owner with the count done, a bar and "Annulla".
// From then on the window is kept up to date and the events of the program are processed, so
// the program shows it is alive; Annulla or Escape stop the work at its next call. Work that
// ends within the second never shows the window. The window closes when this object ends.
class LongWork {
public:
    // caption: the window's title; counted: how the count reads, with %1 the units done and %2
    // the units in all ("%1 schede lette su %2").
    LongWork(QWidget* owner, const QString& caption, const QString& counted);
    ~LongWork();
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

    // What the work calls: true to go on, false once the person has stopped it.
    bool step(qint64 done, qint64 total);
    WorkProgress progress();
    bool stopped() const { return m_stopped; }

    // The window while it is open (frmAvanzamento), else nothing.
    QDialog* window() const { return m_window; }

    // Test seam: how long the work runs before the window opens (about a second normally).
    static void setDelayForTests(int milliseconds);

private:
    void open();
    void update(qint64 done, qint64 total);

    QPointer<QWidget> m_owner;
    QString m_caption;
    QString m_counted;
    QElapsedTimer m_clock;
    qint64 m_lastShown = -1;
    bool m_stopped = false;
    QPointer<QDialog> m_window;
    QLabel* m_count = nullptr;
    QProgressBar* m_bar = nullptr;
};
