// Desktop-wide hot keys on Windows: RegisterHotKey for the UI thread, and WM_HOTKEY picked
// out of Qt's stream of native events.
#pragma once

#include "platform/hot_keys.h"

#include <QAbstractNativeEventFilter>

#include <map>
#include <memory>

class WinHotKeys : public IHotKeys, private QAbstractNativeEventFilter {
public:
    // Make it on the UI thread, whose message queue receives the presses.
    WinHotKeys();
    ~WinHotKeys() override;
    WinHotKeys(const WinHotKeys&) = delete;
    WinHotKeys& operator=(const WinHotKeys&) = delete;

    std::unique_ptr<IHotKeyRegistration>
    RegisterHotKey(std::uint16_t virtualKey, std::function<void(std::uint16_t)> onPressed) override;

    struct Held {
        std::uint16_t virtualKey;
        std::function<void(std::uint16_t)> onPressed;
    };
    // The held keys by registration id, shared with their registrations.
    using Keys = std::map<int, Held>;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::shared_ptr<Keys> m_keys;
};
