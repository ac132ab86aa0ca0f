#include "portal_registry.h"

#include "portal_names.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QVariantMap>

void RegisterWithPortal(const QDBusConnection& bus) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.host.portal.Registry"),
        QStringLiteral("Register"));
    call.setArguments({QStringLiteral(TINTWATCH_APP_ID), QVariantMap()});
    // Older portals answer with an error, which changes nothing.
    bus.asyncCall(call);
}
