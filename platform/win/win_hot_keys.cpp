#include "win_hot_keys.h"

#include "win32_calls.h"

#include <QCoreApplication>

namespace {

// Gives the key back to the system and drops its entry when the registration goes.
class Registration : public IHotKeyRegistration {
public:
    Registration(std::shared_ptr<WinHotKeys::Keys> keys, int id)
        : m_keys(std::move(keys)), m_id(id) {}
    ~Registration() override {
        win32::UnregisterThreadHotKey(m_id);
        m_keys->erase(m_id);
    }
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;

private:
    std::shared_ptr<WinHotKeys::Keys> m_keys;
    int m_id;
};

} // namespace

WinHotKeys::WinHotKeys() : m_keys(std::make_shared<Keys>()) {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WinHotKeys::~WinHotKeys() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

std::unique_ptr<IHotKeyRegistration>
WinHotKeys::RegisterHotKey(std::uint16_t virtualKey, std::function<void(std::uint16_t)> onPressed) {
    // The lowest free id: ids must stay below 0xC000, the range left to applications.
    int id = 1;
    while (m_keys->count(id))
        ++id;
    if (!win32::RegisterThreadHotKey(id, virtualKey))
        return nullptr;
    (*m_keys)[id] = {virtualKey, std::move(onPressed)};
    return std::make_unique<Registration>(m_keys, id);
}

bool WinHotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    const std::optional<int> id = win32::HotKeyIdOf(eventType, message);
    if (!id)
        return false;
    const auto it = m_keys->find(*id);
    if (it == m_keys->end())
        return false;
    // A copy, so a callback that drops its own registration does not pull the rug.
    const Held held = it->second;
    held.onPressed(held.virtualKey);
    return true;
}
