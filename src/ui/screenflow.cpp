#include "ui/screenflow.h"

#include <QCoreApplication>

namespace {

std::function<void()>& pendingScreens()
{
    static std::function<void()> build;
    return build;
}

} // namespace

Screens& screens()
{
    static Screens registry;
    if (pendingScreens()) {
        // Taken first: the building itself fills the slots through here.
        const std::function<void()> build = std::move(pendingScreens());
        pendingScreens() = nullptr;
        build();
    }
    return registry;
}

void setPendingScreens(std::function<void()> build)
{
    pendingScreens() = std::move(build);
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
    QCoreApplication::exit(0);
}
