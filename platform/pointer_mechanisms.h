// How a desktop lets the program take points from its screen and show one. X11 lets a program
// do all of it directly; a Wayland desktop only what its portals and protocols offer, and the
// pick overlay or a marker stand in where it offers nothing.
#pragma once

// How the editor's pick keys work while another program has the keyboard.
enum class PickKeys {
    HotKeys,         // function keys grabbed for the whole desktop, one by one (X11)
    GlobalShortcuts, // bound by the desktop's shortcut portal, which assigns the keys
    Overlay,         // none: the pick overlay takes the point
};

// Where the pointer is when a pick key is pressed.
enum class PointerPosition {
    Query,          // asked of the display (X11)
    CursorMetadata, // carried with each picture of the screen-cast stream
    Overlay,        // unknown to the program: only the pick overlay sees the pointer
};

// How "Show location" shows a point.
enum class PointerMove {
    Warp,           // the display moves the pointer (X11)
    RemoteDesktop,  // the remote-desktop portal, asked for at the first move
    VirtualPointer, // a pointer device of the program's own (wlroots desktops)
    Marker,         // nothing may move the pointer: the point is marked on the overlay
};

struct PointerMechanisms {
    PickKeys keys = PickKeys::HotKeys;
    PointerPosition position = PointerPosition::Query;
    PointerMove move = PointerMove::Warp;

    bool operator==(const PointerMechanisms&) const = default;
};
