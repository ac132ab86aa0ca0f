#include "notification_icon.h"

#include "command_action.h"
#include "platform/cmd_target.h"
#include "res/resource_ids.h"

CNotificationIcon::CNotificationIcon(const QIcon& icon, CCmdTarget& owner, QWidget* menuParent)
    : m_owner(owner), m_menuTray(menuParent), m_icon(icon) {
    QAction* configure =
        MakeCommandAction(&m_menuTray, owner, ID_TRAY_CONFIGURE, QStringLiteral("Configure..."));
    m_menuTray.addAction(configure);
    m_menuTray.setDefaultAction(configure); // drawn bold, as the double click's command
    m_menuTray.addSeparator();
    m_menuTray.addAction(MakeCommandAction(&m_menuTray, owner, ID_TRAY_EXIT, QStringLiteral("Exit"),
                                           QStringLiteral("Exit the Software")));
    m_icon.setToolTip(QString::fromLatin1(kAppTitle));
    m_icon.setContextMenu(&m_menuTray);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &CNotificationIcon::OnTrayNotify);
}

void CNotificationIcon::AddNotificationIcon() {
    m_icon.show();
}

void CNotificationIcon::RemoveNotificationIcon() {
    m_icon.hide();
}

void CNotificationIcon::OnTrayNotify(QSystemTrayIcon::ActivationReason reason) {
    // A single click does nothing; the popup is Qt's, opened by the context menu set above.
    if (reason == QSystemTrayIcon::DoubleClick)
        m_owner.OnCommand(ID_TRAY_CONFIGURE);
}
