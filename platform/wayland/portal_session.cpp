#include "portal_session.h"

#include "portal_names.h"
#include "portal_request.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>

namespace {

constexpr uint kMonitorSources = 1;
constexpr uint kPointerDevice = 2;
constexpr uint kPersistUntilRevoked = 2;

QPoint PairOf(const QVariant& value) {
    int first = 0, second = 0;
    if (value.canConvert<QDBusArgument>()) {
        const auto argument = value.value<QDBusArgument>();
        argument.beginStructure();
        argument >> first >> second;
        argument.endStructure();
    }
    return {first, second};
}

std::vector<SharedMonitor> MonitorsOf(const QVariant& streams) {
    std::vector<SharedMonitor> monitors;
    if (!streams.canConvert<QDBusArgument>())
        return monitors;
    const auto argument = streams.value<QDBusArgument>();
    argument.beginArray();
    while (!argument.atEnd()) {
        SharedMonitor monitor;
        QVariantMap properties;
        argument.beginStructure();
        argument >> monitor.node >> properties;
        argument.endStructure();
        const QPoint size = PairOf(properties.value(QStringLiteral("size")));
        monitor.area =
            QRect(PairOf(properties.value(QStringLiteral("position"))), QSize(size.x(), size.y()));
        monitors.push_back(monitor);
    }
    argument.endArray();
    return monitors;
}

// A refusal is the user's; a failed CreateSession means no portal (or none with screen
// casting); anything else is the portal's error.
ShareProblem ProblemOf(const PortalResponse& response, bool created = true) {
    if (response.code == 1)
        return ShareProblem::Refused;
    return response.code < 0 && !created ? ShareProblem::NoPortal : ShareProblem::Error;
}

// A remote-desktop session keeps its permission through the devices it selects; the screen
// cast in it may not ask for that itself.
QVariantMap PermissionToKeep(const QString& restoreToken) {
    QVariantMap options{{QStringLiteral("persist_mode"), kPersistUntilRevoked}};
    if (!restoreToken.isEmpty())
        options.insert(QStringLiteral("restore_token"), restoreToken);
    return options;
}

} // namespace

PortalSession::PortalSession(QString restoreToken, PortalSessionOptions options,
                             PortalSessionEvents events)
    : m_bus(QDBusConnection::sessionBus()), m_restoreToken(std::move(restoreToken)),
      m_options(options), m_events(std::move(events)) {
    if (!m_bus.isConnected()) {
        // Reported once the caller is ready for it, as every other outcome is.
        QMetaObject::invokeMethod(
            this, [this] { Fail(ShareProblem::NoPortal); }, Qt::QueuedConnection);
        return;
    }
    const QVariantMap sessionOptions{
        {QStringLiteral("session_handle_token"), PortalRequest::NewToken()}};
    PortalRequest::Send(m_bus,
                        m_options.remoteDesktop ? kRemoteDesktopInterface : kScreenCastInterface,
                        QStringLiteral("CreateSession"), {}, sessionOptions, this,
                        [this](const PortalResponse& response) {
                            m_handle = PortalRequest::SessionHandleOf(response);
                            if (response.code != 0 || m_handle.isEmpty())
                                return Fail(ProblemOf(response, false));
                            m_bus.connect(kPortalService, m_handle, kSessionInterface,
                                          QStringLiteral("Closed"), this, SLOT(OnClosed()));
                            if (m_options.remoteDesktop)
                                SelectDevices();
                            else
                                SelectSources();
                        });
}

PortalSession::~PortalSession() {
    if (m_handle.isEmpty() || !m_bus.isConnected())
        return;
    m_bus.disconnect(kPortalService, m_handle, kSessionInterface, QStringLiteral("Closed"), this,
                     SLOT(OnClosed()));
    m_bus.asyncCall(QDBusMessage::createMethodCall(kPortalService, m_handle, kSessionInterface,
                                                   QStringLiteral("Close")));
}

void PortalSession::SelectDevices() {
    QVariantMap options = PermissionToKeep(m_restoreToken);
    options.insert(QStringLiteral("types"), kPointerDevice);
    PortalRequest::Send(m_bus, kRemoteDesktopInterface, QStringLiteral("SelectDevices"),
                        {QVariant::fromValue(QDBusObjectPath(m_handle))}, options, this,
                        [this](const PortalResponse& response) {
                            if (response.code != 0)
                                return Fail(ProblemOf(response));
                            SelectSources();
                        });
}

void PortalSession::SelectSources() {
    QVariantMap options =
        m_options.remoteDesktop ? QVariantMap() : PermissionToKeep(m_restoreToken);
    options.insert(QStringLiteral("types"), kMonitorSources);
    options.insert(QStringLiteral("multiple"), true);
    if (m_options.cursorMode != 0)
        options.insert(QStringLiteral("cursor_mode"), m_options.cursorMode);
    PortalRequest::Send(m_bus, kScreenCastInterface, QStringLiteral("SelectSources"),
                        {QVariant::fromValue(QDBusObjectPath(m_handle))}, options, this,
                        [this](const PortalResponse& response) {
                            if (response.code != 0)
                                return Fail(ProblemOf(response));
                            StartCast();
                        });
}

void PortalSession::StartCast() {
    // A remote-desktop session starts its screen cast with itself.
    PortalRequest::Send(
        m_bus, m_options.remoteDesktop ? kRemoteDesktopInterface : kScreenCastInterface,
        QStringLiteral("Start"), {QVariant::fromValue(QDBusObjectPath(m_handle)), QString()}, {},
        this, [this](const PortalResponse& response) {
            if (response.code != 0)
                return Fail(ProblemOf(response));
            std::vector<SharedMonitor> monitors =
                MonitorsOf(response.results.value(QStringLiteral("streams")));
            if (monitors.empty())
                return Fail(ShareProblem::Failed);
            m_monitors = monitors;
            OpenRemote(std::move(monitors),
                       response.results.value(QStringLiteral("restore_token")).toString());
        });
}

void PortalSession::OpenRemote(std::vector<SharedMonitor> monitors, QString restoreToken) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        kPortalService, kPortalPath, kScreenCastInterface, QStringLiteral("OpenPipeWireRemote"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(m_handle)), QVariantMap()});
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, monitors = std::move(monitors),
             restoreToken = std::move(restoreToken)]() mutable {
                const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *watcher;
                watcher->deleteLater();
                // The reply's descriptor closes with the reply; PipeWire gets its own.
                const int fd = reply.isError()
                                   ? -1
                                   : ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
                if (fd < 0)
                    return Fail(ShareProblem::Failed);
                m_events.ready(fd, std::move(monitors), std::move(restoreToken));
            });
}

void PortalSession::MovePointer(std::size_t monitor, QPointF point) const {
    if (!m_options.remoteDesktop || m_handle.isEmpty() || monitor >= m_monitors.size())
        return;
    // In the stream's own coordinates; nothing to wait for.
    QDBusMessage call =
        QDBusMessage::createMethodCall(kPortalService, kPortalPath, kRemoteDesktopInterface,
                                       QStringLiteral("NotifyPointerMotionAbsolute"));
    call.setArguments({QVariant::fromValue(QDBusObjectPath(m_handle)), QVariantMap(),
                       m_monitors[monitor].node, point.x(), point.y()});
    m_bus.asyncCall(call);
}

void PortalSession::OnClosed() {
    m_handle.clear(); // nothing left to close
    Fail(ShareProblem::Stopped);
}

void PortalSession::Fail(ShareProblem problem) {
    if (const auto failed = std::exchange(m_events.failed, nullptr))
        failed(problem);
}
