// Whether a display can be reached, asked before Qt tries (Qt aborts the process when its
// platform finds no display).
#pragma once

// Connects to the display named by DISPLAY and disconnects at once.
bool CanReachXDisplay();
// Connects to the Wayland compositor named by WAYLAND_DISPLAY (else "wayland-0") and
// disconnects at once.
bool CanReachWaylandDisplay();
