#include "dbus_portal_properties.h"

#include "portal_names.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <memory>

namespace {
// Long enough for the portal to start on demand; a portal that never answers then offers
// nothing.
constexpr int kReadTimeoutMs = 25000;
} // namespace

void ReadPortalOffer(QDBusConnection bus, QObject* context,
                     std::function<void(const PortalOffer&)> onRead) {
    struct Reading {
        QHash<QString, QVariantMap> properties;
        int waiting = 0;
        std::function<void(const PortalOffer&)> onRead;
    };
    const QString interfaces[] = {kScreenCastInterface, kRemoteDesktopInterface,
                                  kGlobalShortcutsInterface};
    auto reading = std::make_shared<Reading>(
        Reading{{}, static_cast<int>(std::size(interfaces)), std::move(onRead)});
    for (const QString& interface : interfaces) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kPortalService, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("GetAll"));
        call.setArguments({interface});
        auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReadTimeoutMs), context);
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                         [reading, interface, watcher] {
                             const QDBusPendingReply<QVariantMap> reply = *watcher;
                             watcher->deleteLater();
                             if (!reply.isError())
                                 reading->properties.insert(interface, reply.value());
                             if (--reading->waiting == 0)
                                 reading->onRead(OfferOf(reading->properties));
                         });
    }
}
