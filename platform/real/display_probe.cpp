#include "display_probe.h"

#include <xcb/xcb.h>

#include <memory>

bool CanReachXDisplay() {
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    return connection && xcb_connection_has_error(connection.get()) == 0;
}
