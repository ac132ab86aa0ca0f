// Whether an X display can be reached, asked before Qt tries (Qt aborts the process when its
// X platform finds no display).
#pragma once

// Connects to the display named by DISPLAY and disconnects at once.
bool CanReachXDisplay();
