// The X connection of the running Qt application, shared by every X service of the program.
#pragma once

#include <xcb/xcb.h>

// The xcb connection Qt opened, or nullptr when there is no QGuiApplication, Qt runs on
// another platform plugin (offscreen, wayland) or the connection has failed.
xcb_connection_t* QtXcbConnection();
