// Choosing Qt's window-system plugin before the QApplication exists.
#pragma once

#include <QString>

#include <memory>

struct PreparedDisplay {
    QString problem; // what is wrong, or empty when Qt may start
    // The check's own connection to the display, to be dropped once Qt has connected.
    std::shared_ptr<void> check = {};
};

// Runs Tintwatch on Wayland in a Wayland session (WAYLAND_DISPLAY, or XDG_SESSION_TYPE=wayland)
// whose compositor answers, else on X11, unless the user chose a Qt platform himself; and
// checks that the chosen display can be reached, since Qt would abort the process without
// one.
PreparedDisplay PrepareDisplay();

// Whether the program runs on XWayland inside a Wayland session (the user forced X11), where
// only X programs' pixels can be read.
bool RunsOnXWayland();
