#include "app/platformchoice.h"

#include <QByteArray>

#include <cstdint>
#include <cstring>
#include <dlfcn.h>

namespace {

// The few entry points of libwayland-client used here, looked up at run time: the program
// neither links it nor needs it outside a Wayland session.
struct WaylandClient {
    void* library = nullptr;
    void* (*connect)(const char*) = nullptr;
    void (*disconnect)(void*) = nullptr;
    int (*roundtrip)(void*) = nullptr;
    void* (*marshalConstructor)(void*, uint32_t, const void*, ...) = nullptr;
    int (*addListener)(void*, void (**)(void), void*) = nullptr;
    void (*destroy)(void*) = nullptr;
    const void* registryInterface = nullptr;

    bool load()
    {
        library = ::dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return false;
        connect = reinterpret_cast<decltype(connect)>(::dlsym(library, "wl_display_connect"));
        disconnect =
            reinterpret_cast<decltype(disconnect)>(::dlsym(library, "wl_display_disconnect"));
        roundtrip = reinterpret_cast<decltype(roundtrip)>(::dlsym(library, "wl_display_roundtrip"));
        marshalConstructor = reinterpret_cast<decltype(marshalConstructor)>(
            ::dlsym(library, "wl_proxy_marshal_constructor"));
        addListener =
            reinterpret_cast<decltype(addListener)>(::dlsym(library, "wl_proxy_add_listener"));
        destroy = reinterpret_cast<decltype(destroy)>(::dlsym(library, "wl_proxy_destroy"));
        registryInterface = ::dlsym(library, "wl_registry_interface");
        return connect && disconnect && roundtrip && marshalConstructor && addListener && destroy
               && registryInterface;
    }
    ~WaylandClient()
    {
        if (library)
            ::dlclose(library);
    }
};

constexpr uint32_t kGetRegistry = 1; // wl_display.get_registry

extern "C" void onGlobal(void* data, void*, uint32_t, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "wl_seat") == 0)
        *static_cast<bool*>(data) = true;
}

extern "C" void onGlobalRemove(void*, void*, uint32_t) {}

bool waylandIsTheChoice()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform.startsWith("wayland");
    // As Qt chooses without the variable: Wayland in a Wayland session.
    return qgetenv("XDG_SESSION_TYPE") == "wayland" && !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

} // namespace

WaylandSeat waylandSeat()
{
    WaylandClient wl;
    if (!wl.load())
        return WaylandSeat::NoDisplay;
    void* display = wl.connect(nullptr);
    if (!display)
        return WaylandSeat::NoDisplay;
    bool seat = false;
    void* registry = wl.marshalConstructor(display, kGetRegistry, wl.registryInterface, nullptr);
    static void (*listener[])(void) = {reinterpret_cast<void (*)(void)>(&onGlobal),
                                       reinterpret_cast<void (*)(void)>(&onGlobalRemove)};
    const bool listened = registry && wl.addListener(registry, listener, &seat) == 0;
    const bool answered = listened && wl.roundtrip(display) >= 0;
    if (registry)
        wl.destroy(registry);
    wl.disconnect(display);
    if (!answered)
        return WaylandSeat::NoDisplay;
    return seat ? WaylandSeat::Offered : WaylandSeat::None;
}

void avoidWaylandWithoutSeat()
{
    if (!waylandIsTheChoice() || waylandSeat() != WaylandSeat::None)
        return;
    if (!qgetenv("DISPLAY").isEmpty())
        qputenv("QT_QPA_PLATFORM", "xcb");
    else if (qgetenv("QT_IM_MODULE").isEmpty())
        qputenv("QT_IM_MODULE", "none"); // no input context: the text input is never asked
}
