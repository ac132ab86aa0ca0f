#include "xcb_keycode.h"

#include "platform/x11/xcb_reply.h"
namespace {
constexpr std::uint16_t kVirtualKeyF1 = 0x70;
constexpr std::uint16_t kVirtualKeyF24 = 0x87;
constexpr xcb_keysym_t kKeysymF1 = 0xFFBE; // XK_F1; F2..F24 follow in order
} // namespace

std::optional<xcb_keysym_t> FunctionKeySym(std::uint16_t virtualKey) {
    if (virtualKey < kVirtualKeyF1 || virtualKey > kVirtualKeyF24)
        return std::nullopt;
    return kKeysymF1 + static_cast<xcb_keysym_t>(virtualKey - kVirtualKeyF1);
}

std::optional<xcb_keycode_t> KeycodeForKeysym(xcb_connection_t* connection, xcb_keysym_t keysym) {
    if (!connection)
        return std::nullopt;
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (!setup || setup->max_keycode < setup->min_keycode)
        return std::nullopt;
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const XcbReply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    if (!reply || reply->keysyms_per_keycode == 0)
        return std::nullopt;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int length = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    const int perKey = reply->keysyms_per_keycode;
    for (int i = 0; i < length; ++i) {
        if (keysyms[i] == keysym)
            return static_cast<xcb_keycode_t>(setup->min_keycode + i / perKey);
    }
    return std::nullopt;
}
