#include "dbus_portal_properties.h"

#include "portal_names.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace {
// Long enough for the portal to start on demand, short enough not to hang a start-up when it
// never answers.
constexpr int kReadTimeoutMs = 5000;
} // namespace

std::optional<unsigned> DBusPortalProperties::Read(const QString& interface, const QString& name) {
    if (!m_bus.isConnected())
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    call.setArguments({interface, name});
    const QDBusMessage reply = m_bus.call(call, QDBus::Block, kReadTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    bool ok = false;
    const unsigned value =
        reply.arguments().constFirst().value<QDBusVariant>().variant().toUInt(&ok);
    return ok ? std::optional<unsigned>(value) : std::nullopt;
}
