#include "lock_keys.h"

#include <windows.h>

std::optional<LockKeyState> ReadLockKeys() {
    // The low bit of a lock key's state is its light.
    const auto lit = [](int key) { return (GetKeyState(key) & 1) != 0; };
    return LockKeyState{lit(VK_CAPITAL), lit(VK_NUMLOCK), lit(VK_SCROLL)};
}
