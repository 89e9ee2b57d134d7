#include "ui/screenflow.h"

#include "ui/sessiongate.h"

#include <QCoreApplication>

Screens& screens()
{
    static Screens registry;
    return registry;
}

void switchScreen(QWidget* current, QWidget* next)
{
    // Without a screen to go to, the current one stays: hiding it would leave the run with
    // no window at all.
    if (!next)
        return;
    next->show();
    if (current && current != next)
        current->hide();
}

void terminateApplication()
{
    // From here on no screen acts, also while the event loops wind down.
    endSession();
    QCoreApplication::exit(0);
}
