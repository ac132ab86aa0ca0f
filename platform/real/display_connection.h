// Some of Qt's platforms end the process when their window-system connection breaks.
#pragma once

#include <functional>

// Tells, whenever asked later, whether the window system's connection as it stands now has
// broken; always false where the platform never ends the process for it.
std::function<bool()> WatchDisplayConnection();
