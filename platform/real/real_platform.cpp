#include "real_platform.h"

#include "platform/hotkeys/xcb_hot_keys.h"
#include "platform/pulse/pulse_tone.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_timer_host.h"
#include "platform/qt/settings_profile.h"
#include "platform/qt/xdg_folders.h"
#include "platform/wayland/open_portal_screen.h"
#include "platform/wayland/portal_hot_keys.h"
#include "platform/x11/xcb_screen.h"

#include <QGuiApplication>

RealPlatform::RealPlatform()
    : m_profile(std::make_unique<SettingsProfile>()), m_tone(std::make_unique<PulseTone>()),
      m_launcher(std::make_unique<DesktopLauncher>()),
      m_messageBox(std::make_unique<QtMessageBox>()),
      m_fileChooser(std::make_unique<QtFileChooser>()), m_folders(std::make_unique<XdgFolders>()) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::unique_ptr<PortalScreen> portal = OpenPortalScreen(*m_profile);
        m_pShare = portal.get();
        m_screen = std::move(portal);
        m_hotKeys = std::make_unique<PortalHotKeys>();
    } else {
        m_screen = std::make_unique<XcbScreen>();
        m_hotKeys = std::make_unique<XcbHotKeys>();
    }
}

RealPlatform::~RealPlatform() = default;

PlatformServices RealPlatform::Services() {
    return {*m_screen,     *m_tone,    *m_launcher,    *m_profile,
            *m_messageBox, *m_hotKeys, *m_fileChooser, *m_folders};
}

void RealPlatform::WithoutDisplay() {
    m_messageBox->WithoutDisplay();
}

std::unique_ptr<ITimerHost>
RealPlatform::MakeTimerHost(std::function<void(std::span<const std::uintptr_t>)> onTicks) {
    return std::make_unique<QtTimerHost>(std::move(onTicks));
}
