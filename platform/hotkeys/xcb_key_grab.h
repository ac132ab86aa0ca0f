// One key grabbed on a root window whatever the lock keys, released when destroyed.
#pragma once

#include <xcb/xcb.h>

#include <memory>

class XcbKeyGrab {
public:
    // Grabs `keycode` without modifiers, with CapsLock, with NumLock and with both. Returns
    // nullptr, holding nothing, when any of the four is refused (another client holds it).
    static std::unique_ptr<XcbKeyGrab> Grab(xcb_connection_t* connection, xcb_window_t root,
                                            xcb_keycode_t keycode);
    ~XcbKeyGrab();
    XcbKeyGrab(const XcbKeyGrab&) = delete;
    XcbKeyGrab& operator=(const XcbKeyGrab&) = delete;

    xcb_keycode_t Keycode() const { return m_keycode; }

private:
    struct Granted {}; // only Grab() can make one, so only a granted grab is ever held

public:
    XcbKeyGrab(Granted, xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode)
        : m_connection(connection), m_root(root), m_keycode(keycode) {}

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root;
    xcb_keycode_t m_keycode;
};
