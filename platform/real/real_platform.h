// Every real platform service of one running program, owned in one place and handed to the
// layers above as PlatformServices. Make it after the QApplication: the screen and the hot keys
// take Qt's X connection.
#pragma once

#include "platform/services.h"
#include "platform/timer_host.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class XcbScreen;
class PulseTone;
class DesktopLauncher;
class SettingsProfile;
class QtMessageBox;
class XcbHotKeys;
class QtFileChooser;
class XdgFolders;

class RealPlatform {
public:
    // The settings are the application's own (organization and application names).
    RealPlatform();
    ~RealPlatform();
    RealPlatform(const RealPlatform&) = delete;
    RealPlatform& operator=(const RealPlatform&) = delete;

    // Valid for as long as this object lives.
    PlatformServices Services();
    // Window-style timers; `onTicks` gets, on the UI thread, the ids that came due together.
    static std::unique_ptr<ITimerHost>
    MakeTimerHost(std::function<void(std::span<const std::uintptr_t>)> onTicks);

private:
    std::unique_ptr<XcbScreen> m_screen;
    std::unique_ptr<PulseTone> m_tone;
    std::unique_ptr<DesktopLauncher> m_launcher;
    std::unique_ptr<SettingsProfile> m_profile;
    std::unique_ptr<QtMessageBox> m_messageBox;
    std::unique_ptr<XcbHotKeys> m_hotKeys;
    std::unique_ptr<QtFileChooser> m_fileChooser;
    std::unique_ptr<XdgFolders> m_folders;
};
