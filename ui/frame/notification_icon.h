// The icon in the desktop's notification area and its popup menu ("Configure...", "Exit").
// Where the desktop has no notification area there is silently no icon; Qt re-adds the icon
// when a tray appears later or is re-created.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <functional>

class CCmdTarget;

class CNotificationIcon : public QObject {
public:
    // Commands chosen on the icon go to `owner`.
    CNotificationIcon(const QIcon& icon, CCmdTarget& owner, QWidget* menuParent);

    void AddNotificationIcon();
    void RemoveNotificationIcon();
    // Whether the desktop has a notification area right now; the icon shows as soon as it does.
    bool IsAreaAvailable() const { return m_isAreaAvailable(); }
    // Replaces how the area is looked for (tests on platforms that never have one).
    void SetAreaProbe(std::function<bool()> probe) { m_isAreaAvailable = std::move(probe); }

    QSystemTrayIcon& Icon() { return m_icon; }
    QMenu& Menu() { return m_menuTray; }

private:
    void OnTrayNotify(QSystemTrayIcon::ActivationReason reason);

    CCmdTarget& m_owner;
    QMenu m_menuTray;
    QSystemTrayIcon m_icon;
    std::function<bool()> m_isAreaAvailable = &QSystemTrayIcon::isSystemTrayAvailable;
};
