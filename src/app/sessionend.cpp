#include "app/sessionend.h"

#include "register/planning.h"
#include "ui/screenflow.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A signal handler may do next to nothing: it writes one byte into this pipe, and the event
// loop, watching the other end, does the work.
int g_signalPipe[2] = {-1, -1};

extern "C" void onEndingSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

void storeOpenCalendar()
{
    if (auto* calendar = qobject_cast<TfrmPlanning*>(screens().frmPlanning.data()))
        calendar->storeOpenYear();
}

void watchEndingSignals(QCoreApplication* app)
{
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] {
        char bytes[16];
        while (::read(g_signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        // Every event loop ends, a modal dialog's included; the year is stored on the way out.
        terminateApplication();
    });
    struct sigaction action {};
    action.sa_handler = onEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

} // namespace

void storeWorkWhenTheSessionEnds()
{
    static bool installed = false;
    QCoreApplication* app = QCoreApplication::instance();
    if (installed || !app)
        return;
    installed = true;
    watchEndingSignals(app);
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, storeOpenCalendar);
    if (auto* gui = qobject_cast<QGuiApplication*>(app)) {
        QObject::connect(
            gui, &QGuiApplication::commitDataRequest, gui,
            [](QSessionManager&) { storeOpenCalendar(); }, Qt::DirectConnection);
    }
}
