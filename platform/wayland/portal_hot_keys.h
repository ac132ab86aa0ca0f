// Pick keys on a Wayland desktop, which lets no program grab keys for itself: only its shortcut
// portal (KDE; GNOME 48 and later) binds keys, to shortcuts of one session, for as long as the
// session lives. It lets the user choose the keys, F6 and F7 preferred.
#pragma once

#include "platform/hot_keys.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

class PortalPickShortcuts : public QObject, public IHotKeyRegistration {
    Q_OBJECT
public:
    // Starts asking at once; the events run later, on the UI thread.
    explicit PortalPickShortcuts(PickShortcutEvents events);
    // Closes the session: the desktop takes the keys back.
    ~PortalPickShortcuts() override;
    PortalPickShortcuts(const PortalPickShortcuts&) = delete;
    PortalPickShortcuts& operator=(const PortalPickShortcuts&) = delete;

private slots:
    void OnActivated(const QDBusMessage& message);
    void OnShortcutsChanged(const QDBusMessage& message);

private:
    void BindUnlessBound();
    void Bind();
    void Assign(const QVariant& shortcuts);

    QDBusConnection m_bus;
    PickShortcutEvents m_events;
    QString m_handle; // the session's object path, once created
};

class PortalHotKeys : public IHotKeys {
public:
    // Never: no program may grab a key on Wayland.
    std::unique_ptr<IHotKeyRegistration>
    RegisterHotKey(std::uint16_t, std::function<void(std::uint16_t)>) override {
        return nullptr;
    }
    std::unique_ptr<IHotKeyRegistration> BindPickShortcuts(PickShortcutEvents events) override {
        return std::make_unique<PortalPickShortcuts>(std::move(events));
    }
};
