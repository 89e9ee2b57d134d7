#include "app/lostwindow.h"

#include "ui/screenflow.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWindow>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#define VESTRANO_HAVE_XCB 1
#endif

namespace {

#ifdef VESTRANO_HAVE_XCB
// Qt destroys its own windows together with their platform windows, so a destroyed window
// that still has a live platform window was destroyed by someone else.
bool isOneOfOurLiveWindows(xcb_window_t id)
{
    const QWindowList windows = QGuiApplication::allWindows();
    for (const QWindow* window : windows) {
        if (window->handle() && window->winId() == WId(id))
            return true;
    }
    return false;
}

class DestroyedWindowWatch : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
            return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (destroyed->window == destroyed->event && isOneOfOurLiveWindows(destroyed->window))
            terminateApplication();
        return false;
    }
};
#endif

} // namespace

void endTheRunWhenAWindowIsDestroyedOutside()
{
#ifdef VESTRANO_HAVE_XCB
    static bool installed = false;
    QCoreApplication* app = QCoreApplication::instance();
    if (installed || !app)
        return;
    installed = true;
    static DestroyedWindowWatch watch;
    app->installNativeEventFilter(&watch);
#endif
}
