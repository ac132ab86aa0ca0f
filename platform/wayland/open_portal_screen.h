// The Wayland screen with the pointer mechanisms this desktop offers, chosen once at start-up.
#pragma once

#include "portal_screen.h"

#include <memory>

std::unique_ptr<PortalScreen> OpenPortalScreen(IProfile& profile);
