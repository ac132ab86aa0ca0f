// The Wayland screen, at once; it shares the screen and chooses how to reach the pointer once
// the desktop's portal has told what it offers.
#pragma once

#include "portal_screen.h"

#include <memory>

std::unique_ptr<PortalScreen> OpenPortalScreen(IProfile& profile);
