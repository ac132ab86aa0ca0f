// Choosing Qt's window-system plugin before the QApplication exists.
#pragma once

#include <QString>

// Runs Tintwatch on X11 (XWayland in a Wayland session) unless the user chose a Qt platform
// himself, and checks that the X display can be reached, since Qt would abort the process
// without one. Returns an empty string when Qt may start, else what is wrong.
QString PrepareDisplay();

// Whether the program runs on XWayland inside a Wayland session, where only X programs'
// pixels can be read.
bool RunsOnXWayland();
