// Finding the key that carries a function key's symbol on the server's keyboard.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

// The keysym of function key F1..F24 for its virtual-key code; nullopt for any other code.
std::optional<xcb_keysym_t> FunctionKeySym(std::uint16_t virtualKey);

// The first keycode whose mapping holds `keysym`; nullopt when none does or the server's
// keyboard mapping cannot be read.
std::optional<xcb_keycode_t> KeycodeForKeysym(xcb_connection_t* connection, xcb_keysym_t keysym);
