#include "xcb_hot_keys.h"

#include "platform/x11/qt_xcb_connection.h"
#include "xcb_key_grab.h"
#include "xcb_keycode.h"

#include <QCoreApplication>

#include <map>

struct XcbHotKeys::Keys {
    struct Held {
        std::uint16_t virtualKey;
        std::function<void(std::uint16_t)> onPressed;
    };
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_NONE;
    std::map<xcb_keycode_t, Held> held;
};

namespace {
// Keeps the grab and its entry among the held keys; both go when the registration does.
class Registration : public IHotKeyRegistration {
public:
    Registration(std::shared_ptr<XcbHotKeys::Keys> keys, std::unique_ptr<XcbKeyGrab> grab)
        : m_keys(std::move(keys)), m_grab(std::move(grab)) {}
    ~Registration() override { m_keys->held.erase(m_grab->Keycode()); }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    std::shared_ptr<XcbHotKeys::Keys> m_keys;
    std::unique_ptr<XcbKeyGrab> m_grab;
};
} // namespace

XcbHotKeys::XcbHotKeys() : m_keys(std::make_shared<Keys>()) {
    // The root of the screen our pixels come from: with DISPLAY=:0.1 the pointer and the
    // keyboard focus are on screen 1, and a grab on screen 0 would never fire.
    if (const xcb_screen_t* screen = QtXcbScreen()) {
        m_keys->connection = QtXcbConnection();
        m_keys->root = screen->root;
    }
    if (m_keys->root != XCB_NONE)
        QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbHotKeys::~XcbHotKeys() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::unique_ptr<IHotKeyRegistration>
XcbHotKeys::RegisterHotKey(std::uint16_t virtualKey, std::function<void(std::uint16_t)> onPressed) {
    if (m_keys->root == XCB_NONE)
        return nullptr;
    const std::optional<xcb_keysym_t> keysym = FunctionKeySym(virtualKey);
    if (!keysym)
        return nullptr;
    const std::optional<xcb_keycode_t> keycode = KeycodeForKeysym(m_keys->connection, *keysym);
    // The server lets a client grab a key it already holds, so our own keys are checked here.
    if (!keycode || m_keys->held.count(*keycode))
        return nullptr;
    std::unique_ptr<XcbKeyGrab> grab = XcbKeyGrab::Grab(m_keys->connection, m_keys->root, *keycode);
    if (!grab)
        return nullptr;
    m_keys->held[*keycode] = {virtualKey, std::move(onPressed)};
    return std::make_unique<Registration>(m_keys, std::move(grab));
}

bool XcbHotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    const auto it = m_keys->held.find(press->detail);
    if (it == m_keys->held.end())
        return false;
    // A copy, so a callback that drops its own registration does not pull the rug.
    const Keys::Held held = it->second;
    held.onPressed(held.virtualKey);
    return true;
}
