#include "display_probe.h"

#include <wayland-client.h>
#include <xcb/xcb.h>

std::shared_ptr<void> ConnectToXDisplay() {
    std::shared_ptr<xcb_connection_t> connection(xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0)
        return {};
    return connection;
}

bool CanReachWaylandDisplay() {
    const std::unique_ptr<wl_display, decltype(&wl_display_disconnect)> display(
        wl_display_connect(nullptr), &wl_display_disconnect);
    return display != nullptr;
}
