#include "lock_keys.h"

#include <QGuiApplication>
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
    const auto* app = qGuiApp;
    if (!app)
        return std::nullopt;
    const auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection || xcb_connection_has_error(connection))
        return std::nullopt;
    const std::unique_ptr<xcb_get_keyboard_control_reply_t, FreeDeleter> reply(
        xcb_get_keyboard_control_reply(connection, xcb_get_keyboard_control(connection), nullptr));
    if (!reply)
        return std::nullopt;
    return LockKeyState{(reply->led_mask & kCapsLed) != 0, (reply->led_mask & kNumLed) != 0,
                        (reply->led_mask & kScrollLed) != 0};
}
