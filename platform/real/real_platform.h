// Every real platform service of one running program, owned in one place and handed to the
// layers above as PlatformServices. Make it after the QApplication: the backends follow Qt's
// platform.
#pragma once

#include "platform/services.h"
#include "platform/timer_host.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

class IScreenShare;
class SettingsProfile;
class QtMessageBox;
class QtFileChooser;
class ITone;
class ILauncher;
class IFolders;

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
    // there. Valid for as long as this object lives.
    IScreenShare* ScreenShare() const { return m_pShare; }
    // The display has gone: messages go to standard error from now on.
    void WithoutDisplay();
    // Window-style timers; `onTicks` gets, on the UI thread, the ids that came due together.
    static std::unique_ptr<ITimerHost>
    MakeTimerHost(std::function<void(std::span<const std::uintptr_t>)> onTicks);

    // The services that differ from one operating system to the next.
    struct Backends {
        std::unique_ptr<IScreen> screen;
        IScreenShare* share = nullptr; // the screen's own share, where it has one
        std::unique_ptr<IHotKeys> hotKeys;
        std::shared_ptr<ITone> tone;
        std::unique_ptr<ILauncher> launcher;
        std::unique_ptr<IFolders> folders;
    };
    // Defined once per operating system; `profile` outlives what it returns.
    static Backends MakeBackends(SettingsProfile& profile);

private:
    // The profile first: a screen may keep a restore token there.
    std::unique_ptr<SettingsProfile> m_profile;
    std::unique_ptr<QtMessageBox> m_messageBox;
    std::unique_ptr<QtFileChooser> m_fileChooser;
    Backends m_backends;
    IScreenShare* m_pShare = nullptr;
};
