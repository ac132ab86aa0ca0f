#include "platform/real/real_platform.h"

#include "win_folders.h"
#include "win_hot_keys.h"
#include "win_launcher.h"
#include "win_screen.h"
#include "win_tone.h"

RealPlatform::Backends RealPlatform::MakeBackends(SettingsProfile& /*profile*/) {
    Backends backends;
    backends.screen = std::make_unique<WinScreen>();
    backends.hotKeys = std::make_unique<WinHotKeys>();
    backends.tone = std::make_shared<WinTone>();
    backends.launcher = std::make_unique<WinLauncher>();
    backends.folders = std::make_unique<WinFolders>();
    return backends;
}
