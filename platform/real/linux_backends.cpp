#include "real_platform.h"

#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/pulse/pulse_tone.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/settings_profile.h"
#include "platform/qt/xdg_folders.h"
#include "platform/wayland/open_portal_screen.h"
#include "platform/wayland/portal_hot_keys.h"
#include "platform/x11/xcb_screen.h"

#include <QGuiApplication>

RealPlatform::Backends RealPlatform::MakeBackends(SettingsProfile& profile) {
    Backends backends;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::unique_ptr<PortalScreen> portal = OpenPortalScreen(profile);
        backends.share = portal.get();
        backends.screen = std::move(portal);
        backends.hotKeys = std::make_unique<PortalHotKeys>();
    } else {
        backends.screen = std::make_unique<XcbScreen>();
        backends.hotKeys = std::make_unique<XcbHotKeys>();
    }
    backends.tone = std::make_shared<PulseTone>();
    backends.launcher = std::make_unique<DesktopLauncher>();
    backends.folders = std::make_unique<XdgFolders>();
    return backends;
}
