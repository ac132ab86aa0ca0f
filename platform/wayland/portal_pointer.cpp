#include "portal_pointer.h"

#include "portal_names.h"
#include "portal_request.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

namespace {

constexpr uint kPointerDevice = 2;
constexpr uint kMonitorSources = 1;

} // namespace

PortalPointer::PortalPointer() : m_bus(QDBusConnection::sessionBus()) {}

PortalPointer::~PortalPointer() {
    PortalRequest::CloseSession(m_bus, m_handle, this, SLOT(OnClosed()));
}

void PortalPointer::MoveTo(QPoint point, std::optional<QPointF> inStream,
                           std::function<void(bool)> done) {
    switch (m_state) {
    case State::Granted:
        Move(point, inStream);
        break;
    case State::Refused:
        break;
    case State::Idle:
    case State::Asking:
        // Only the newest point is worth showing once the answer comes.
        m_pending = Pending{point, inStream, std::move(done)};
        if (m_state == State::Idle)
            Ask();
        return;
    }
    if (done)
        done(m_state == State::Granted);
}

void PortalPointer::Ask() {
    m_state = State::Asking;
    if (!m_bus.isConnected())
        return Refuse();
    const QVariantMap sessionOptions{
        {QStringLiteral("session_handle_token"), PortalRequest::NewToken()}};
    Call(kRemoteDesktopInterface, QStringLiteral("CreateSession"), {}, sessionOptions,
         [this](const PortalResponse& response) {
             m_handle = PortalRequest::SessionHandleOf(response);
             if (m_handle.isEmpty())
                 return Refuse();
             m_bus.connect(kPortalService, m_handle, kSessionInterface, QStringLiteral("Closed"),
                           this, SLOT(OnClosed()));
             const QVariant session = QVariant::fromValue(QDBusObjectPath(m_handle));
             Call(kRemoteDesktopInterface, QStringLiteral("SelectDevices"), {session},
                  {{QStringLiteral("types"), kPointerDevice}}, [this, session](auto&) {
                      // Absolute moves are told within a stream of this very session.
                      Call(kScreenCastInterface, QStringLiteral("SelectSources"), {session},
                           {{QStringLiteral("types"), kMonitorSources},
                            {QStringLiteral("multiple"), true}},
                           [this, session](auto&) {
                               Call(kRemoteDesktopInterface, QStringLiteral("Start"),
                                    {session, QString()}, {},
                                    [this](const PortalResponse& r) { OnStarted(r); });
                           });
                  });
         });
}

void PortalPointer::Call(const QString& interface, const QString& method, QVariantList arguments,
                         QVariantMap options,
                         std::function<void(const PortalResponse&)> onGranted) {
    PortalRequest::Send(m_bus, interface, method, std::move(arguments), std::move(options), this,
                        [this, onGranted = std::move(onGranted)](const PortalResponse& response) {
                            if (response.code != 0)
                                return Refuse();
                            onGranted(response);
                        });
}

void PortalPointer::OnStarted(const PortalResponse& response) {
    // The user may grant the screen and keep the pointer back.
    const uint devices = response.results.value(QStringLiteral("devices")).toUInt();
    m_monitors = SharedMonitorsOf(response.results.value(QStringLiteral("streams")));
    if ((devices & kPointerDevice) == 0 || m_monitors.empty())
        return Refuse();
    m_state = State::Granted;
    if (auto pending = std::exchange(m_pending, std::nullopt)) {
        Move(pending->point, pending->inStream);
        if (pending->done)
            pending->done(true);
    }
}

void PortalPointer::Move(QPoint point, std::optional<QPointF> inStream) const {
    for (const SharedMonitor& monitor : m_monitors) {
        if (!monitor.area.contains(point))
            continue;
        // In the stream's own coordinates, which are the desktop's only on unscaled monitors;
        // nothing to wait for.
        const QPointF at = inStream.value_or(QPointF(point - monitor.area.topLeft()));
        QDBusMessage call =
            QDBusMessage::createMethodCall(kPortalService, kPortalPath, kRemoteDesktopInterface,
                                           QStringLiteral("NotifyPointerMotionAbsolute"));
        call.setArguments({QVariant::fromValue(QDBusObjectPath(m_handle)), QVariantMap(),
                           monitor.node, at.x(), at.y()});
        m_bus.asyncCall(call);
        return;
    }
}

void PortalPointer::Refuse() {
    // Not asked again in this run: the marker shows the points from now on.
    m_state = State::Refused;
    if (auto pending = std::exchange(m_pending, std::nullopt); pending && pending->done)
        pending->done(false);
}

void PortalPointer::OnClosed() {
    // Ended from the desktop: asked again at the next move.
    m_bus.disconnect(kPortalService, m_handle, kSessionInterface, QStringLiteral("Closed"), this,
                     SLOT(OnClosed()));
    m_handle.clear();
    m_monitors.clear();
    m_state = State::Idle;
}
