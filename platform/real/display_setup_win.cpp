#include "display_setup.h"

// Windows always has its desktop, and Qt has one platform there.
PreparedDisplay PrepareDisplay() {
    return {};
}

bool RunsOnXWayland() {
    return false;
}
