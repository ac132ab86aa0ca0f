#include "lock_keys.h"

#include "platform/x11/qt_xcb_connection.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace {
struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
// The core protocol numbers the keyboard's LEDs from 1; X servers with the keyboard extension
// keep Caps Lock, Num Lock and Scroll Lock on the first three.
constexpr std::uint32_t kCapsLed = 1u << 0;
constexpr std::uint32_t kNumLed = 1u << 1;
constexpr std::uint32_t kScrollLed = 1u << 2;
} // namespace

std::optional<LockKeyState> ReadLockKeys() {
    xcb_connection_t* connection = QtXcbConnection();
    if (!connection)
        return std::nullopt;
    const std::unique_ptr<xcb_get_keyboard_control_reply_t, FreeDeleter> reply(
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr));
    if (!reply)
        return std::nullopt;
    return LockKeyState{(reply->led_mask & kCapsLed) != 0, (reply->led_mask & kNumLed) != 0,
                        (reply->led_mask & kScrollLed) != 0};
}
