// The X connection of the running Qt application, and the one screen of its display that
// every X service of the program (pixels, pointer, hot keys, lock keys) works on.
#pragma once

#include <xcb/xcb.h>

// The xcb connection Qt opened, or nullptr when there is no QGuiApplication, Qt runs on
// another platform plugin (offscreen, wayland) or the connection has failed.
xcb_connection_t* QtXcbConnection();

// The number of the screen DISPLAY names (":0.1" is screen 1), the one xcb_connect chose for
// Qt's windows; 0 when DISPLAY names none.
int QtXcbScreenNumber();

// Screen `number` of `connection`'s display; nullptr when there is no such screen.
const xcb_screen_t* XcbScreenOf(xcb_connection_t* connection, int number);

// QtXcbScreenNumber's screen of Qt's connection, whose root window our pixels, pointer and
// grabs all belong to; nullptr without an X connection.
const xcb_screen_t* QtXcbScreen();
