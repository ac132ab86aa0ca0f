// Desktop-wide hot keys on X11: the key is grabbed on the root window, and its presses are
// picked out of Qt's stream of native events.
#pragma once

#include "platform/hot_keys.h"

#include <QAbstractNativeEventFilter>

#include <memory>

class XcbHotKeys : public IHotKeys, private QAbstractNativeEventFilter {
public:
    // Uses the application's X connection; without one (no X display, another Qt platform)
    // every registration fails.
    XcbHotKeys();
    ~XcbHotKeys() override;
    XcbHotKeys(const XcbHotKeys&) = delete;
    XcbHotKeys& operator=(const XcbHotKeys&) = delete;

    // Only F1..F24 can be registered; any other code fails.
    std::unique_ptr<IHotKeyRegistration>
    RegisterHotKey(std::uint16_t virtualKey, std::function<void(std::uint16_t)> onPressed) override;

    struct Keys; // the held keys, shared with their registrations

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    std::shared_ptr<Keys> m_keys;
};
