// The keyboard's lock indicators, for the status bar.
#pragma once

#include <optional>

struct LockKeyState {
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
};

// The current state of the three lock keys; nothing where the window system does not tell it
// (no X connection, or the server refused the request).
std::optional<LockKeyState> ReadLockKeys();
