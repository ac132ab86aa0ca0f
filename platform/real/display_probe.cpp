#include "display_probe.h"

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <memory>

bool CanReachXDisplay() {
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    return connection && xcb_connection_has_error(connection.get()) == 0;
}

bool CanReachWaylandDisplay() {
    const std::unique_ptr<wl_display, decltype(&wl_display_disconnect)> display(
        wl_display_connect(nullptr), &wl_display_disconnect);
    return display != nullptr;
}
