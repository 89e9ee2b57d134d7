#pragma once

// Reading a property of an X window the way the window manager and other clients read it.

#include <QByteArray>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <cstdlib>

// The value of the property name of window, as stored (up to 4 MiB); empty when it is not set.
inline QByteArray xWindowProperty(xcb_connection_t* c, xcb_window_t window, const char* name)
{
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    if (!atom)
        return QByteArray();
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom->atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20),
        nullptr);
    std::free(atom);
    if (!reply)
        return QByteArray();
    const QByteArray value(static_cast<const char*>(xcb_get_property_value(reply)),
                           xcb_get_property_value_length(reply));
    std::free(reply);
    return value;
}
