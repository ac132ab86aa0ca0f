// The icon in the desktop's notification area and its popup menu ("Configure...", "Exit").
// Where the desktop has no notification area there is silently no icon; Qt re-adds the icon
// when a tray appears later or is re-created.
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>

class CCmdTarget;

class CNotificationIcon : public QObject {
public:
    // Commands chosen on the icon go to `owner`.
    CNotificationIcon(const QIcon& icon, CCmdTarget& owner, QWidget* menuParent);

    void AddNotificationIcon();
    void RemoveNotificationIcon();

    QSystemTrayIcon& Icon() { return m_icon; }
    QMenu& Menu() { return m_menuTray; }

private:
    void OnTrayNotify(QSystemTrayIcon::ActivationReason reason);

    CCmdTarget& m_owner;
    QMenu m_menuTray;
    QSystemTrayIcon m_icon;
};
