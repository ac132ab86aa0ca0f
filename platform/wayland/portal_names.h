// Where the desktop portal lives on the session bus.
#pragma once

#include <QString>

inline const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
inline const QString kScreenCastInterface = QStringLiteral("org.freedesktop.portal.ScreenCast");
inline const QString kRemoteDesktopInterface =
    QStringLiteral("org.freedesktop.portal.RemoteDesktop");
inline const QString kGlobalShortcutsInterface =
    QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
inline const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
inline const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");

// The bus name as request paths spell it: ":1.42" becomes "1_42".
inline QString RequestSenderName(QString uniqueName) {
    return uniqueName.remove(0, uniqueName.startsWith(u':') ? 1 : 0).replace(u'.', u'_');
}
