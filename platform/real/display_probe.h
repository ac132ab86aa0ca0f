// Whether a display can be reached, asked before Qt tries (Qt aborts the process when its
// platform finds no display).
#pragma once

#include <memory>

// An open connection to the X display named by DISPLAY, or empty when it cannot be reached.
// Keep it until Qt has connected: when it is the server's only client, its end makes the
// server reset, and a connection made during the reset is refused.
std::shared_ptr<void> ConnectToXDisplay();
// Connects to the Wayland compositor named by WAYLAND_DISPLAY (else "wayland-0") and
// disconnects at once.
bool CanReachWaylandDisplay();
