#include "xcb_key_grab.h"

#include "platform/x11/xcb_reply.h"

#include <array>

namespace {
// NumLock sits on Mod2 on every common keymap; Lock is CapsLock.
constexpr std::array<std::uint16_t, 4> kLockVariants = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                                        XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

void Ungrab(xcb_connection_t* connection, xcb_window_t root, xcb_keycode_t keycode,
            std::uint16_t modifiers) {
    xcb_ungrab_key(connection, keycode, root, modifiers);
}
} // namespace

std::unique_ptr<XcbKeyGrab> XcbKeyGrab::Grab(xcb_connection_t* connection, xcb_window_t root,
                                             xcb_keycode_t keycode) {
    if (!connection || xcb_connection_has_error(connection))
        return nullptr;
    std::array<xcb_void_cookie_t, kLockVariants.size()> cookies{};
    for (std::size_t i = 0; i < kLockVariants.size(); ++i)
        cookies[i] = xcb_grab_key_checked(connection, 1, root, kLockVariants[i], keycode,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    // Every answer is collected before deciding, so no error is left to arrive later.
    std::array<bool, kLockVariants.size()> granted{};
    bool all = true;
    for (std::size_t i = 0; i < kLockVariants.size(); ++i) {
        const XcbReply<xcb_generic_error_t> error(xcb_request_check(connection, cookies[i]));
        granted[i] = !error;
        all = all && granted[i];
    }
    if (all)
        return std::make_unique<XcbKeyGrab>(Granted{}, connection, root, keycode);
    for (std::size_t i = 0; i < kLockVariants.size(); ++i) {
        if (granted[i])
            Ungrab(connection, root, keycode, kLockVariants[i]);
    }
    xcb_flush(connection);
    return nullptr;
}

XcbKeyGrab::~XcbKeyGrab() {
    if (xcb_connection_has_error(m_connection))
        return;
    for (const std::uint16_t modifiers : kLockVariants)
        Ungrab(m_connection, m_root, m_keycode, modifiers);
    xcb_flush(m_connection);
}
