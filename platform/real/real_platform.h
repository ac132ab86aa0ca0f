// Every real platform service of one running program, owned in one place and handed to the
// layers above as PlatformServices. Make it after the QApplication: the backends follow Qt's
// platform (the screen-cast portal on Wayland, else Qt's X connection).
#pragma once

#include "platform/services.h"
#include "platform/timer_host.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class IScreenShare;
class PulseTone;
class DesktopLauncher;
class SettingsProfile;
class QtMessageBox;
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
    // The share the desktop grants the screen on Wayland; nullptr where the screen is simply
    // there (X11). Valid for as long as this object lives.
    IScreenShare* ScreenShare() const { return m_pShare; }
    // The display has gone: messages go to standard error from now on.
    void WithoutDisplay();
    // Window-style timers; `onTicks` gets, on the UI thread, the ids that came due together.
    static std::unique_ptr<ITimerHost>
    MakeTimerHost(std::function<void(std::span<const std::uintptr_t>)> onTicks);

private:
    // The profile first: the Wayland screen keeps its restore token there.
    std::unique_ptr<SettingsProfile> m_profile;
    std::unique_ptr<IScreen> m_screen;
    IScreenShare* m_pShare = nullptr;
    std::unique_ptr<PulseTone> m_tone;
    std::unique_ptr<DesktopLauncher> m_launcher;
    std::unique_ptr<QtMessageBox> m_messageBox;
    std::unique_ptr<IHotKeys> m_hotKeys;
    std::unique_ptr<QtFileChooser> m_fileChooser;
    std::unique_ptr<XdgFolders> m_folders;
};
