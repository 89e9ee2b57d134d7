#pragma once

// Qt's Wayland plugin (Qt 6.4) dereferences the session's keyboard and pointer seat when a
// focused line edit draws its cursor through the compositor's text input: on a compositor that
// offers no seat at all (a headless one, say) the program would crash as soon as such a field
// shows, the file dialog's for one. Before the application object is made, this looks whether
// the Wayland session Qt would use offers a seat; when it offers none, the program runs on the
// X11 platform where there is one (Xwayland), or else on Wayland without the compositor's text
// input. Nothing changes where a seat exists, on X11, or when the platform was chosen otherwise.
void avoidWaylandWithoutSeat();

// Whether the Wayland display named by the environment offers a seat (a wl_seat); nothing when
// no Wayland display can be reached.
enum class WaylandSeat { Offered, None, NoDisplay };
WaylandSeat waylandSeat();
