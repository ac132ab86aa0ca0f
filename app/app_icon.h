// The application icon, drawn once and used by every window, the About box and the tray.
#pragma once

#include <QIcon>

// Every size of the icon compiled into the program, from 16 to 256 pixels.
QIcon AppIcon();
