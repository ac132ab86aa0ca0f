#include "portal_request.h"

#include "portal_names.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <atomic>

QString PortalRequest::SessionHandleOf(const PortalResponse& response) {
    const QVariant handle = response.results.value(QStringLiteral("session_handle"));
    if (handle.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return handle.value<QDBusObjectPath>().path();
    return handle.toString();
}

void PortalRequest::CloseSession(QDBusConnection& bus, const QString& handle, QObject* receiver,
                                 const char* closedSlot) {
    if (handle.isEmpty() || !bus.isConnected())
        return;
    bus.disconnect(kPortalService, handle, kSessionInterface, QStringLiteral("Closed"), receiver,
                   closedSlot);
    bus.asyncCall(QDBusMessage::createMethodCall(kPortalService, handle, kSessionInterface,
                                                 QStringLiteral("Close")));
}

QString PortalRequest::NewToken() {
    static std::atomic<unsigned> next{0};
    return QStringLiteral("tintwatch%1").arg(++next);
}

PortalRequest::PortalRequest(QDBusConnection bus, QObject* owner,
                             std::function<void(const PortalResponse&)> onDone)
    : QObject(owner), m_bus(std::move(bus)), m_onDone(std::move(onDone)) {}

void PortalRequest::Send(QDBusConnection bus, const QString& interface, const QString& method,
                         QVariantList arguments, QVariantMap options, QObject* owner,
                         std::function<void(const PortalResponse&)> onDone) {
    auto* request = new PortalRequest(bus, owner, std::move(onDone));
    // A portal that leaves the bus (it crashed, or was restarted) never answers: the request
    // fails then, so that its caller can ask again.
    auto* portal = new QDBusServiceWatcher(kPortalService, bus,
                                           QDBusServiceWatcher::WatchForUnregistration, request);
    connect(portal, &QDBusServiceWatcher::serviceUnregistered, request, [request] {
        request->Finish({-1, {}, QStringLiteral("org.freedesktop.DBus.Error.NoReply")});
    });
    const QString token = NewToken();
    options.insert(QStringLiteral("handle_token"), token);
    // The portal names the request after our bus name and the token: known before the call.
    request->Listen(QStringLiteral("%1/request/%2/%3")
                        .arg(kPortalPath, RequestSenderName(bus.baseService()), token));

    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, interface, method);
    arguments.append(options);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, [request, watcher] {
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        watcher->deleteLater();
        if (reply.isError()) {
            request->Finish({-1, {}, reply.error().name()});
            return;
        }
        // Portals older than the request-path rule name it otherwise; follow theirs.
        if (reply.value().path() != request->m_path)
            request->Listen(reply.value().path());
    });
}

bool PortalRequest::Listen(const QString& path) {
    if (!m_path.isEmpty())
        m_bus.disconnect(kPortalService, m_path, kRequestInterface, QStringLiteral("Response"),
                         this, SLOT(OnResponse(uint, QVariantMap)));
    m_path = path;
    return m_bus.connect(kPortalService, m_path, kRequestInterface, QStringLiteral("Response"),
                         this, SLOT(OnResponse(uint, QVariantMap)));
}

void PortalRequest::OnResponse(uint code, const QVariantMap& results) {
    Finish({static_cast<int>(code), results, {}});
}

void PortalRequest::Finish(const PortalResponse& response) {
    if (!m_onDone)
        return;
    m_bus.disconnect(kPortalService, m_path, kRequestInterface, QStringLiteral("Response"), this,
                     SLOT(OnResponse(uint, QVariantMap)));
    const auto onDone = std::exchange(m_onDone, nullptr);
    deleteLater();
    onDone(response);
}
