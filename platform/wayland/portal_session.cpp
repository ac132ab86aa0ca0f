#include "portal_session.h"

#include "portal_names.h"
#include "portal_request.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>

namespace {

constexpr uint kMonitorSources = 1;
constexpr uint kPersistUntilRevoked = 2;

// A refusal is the user's; a failed CreateSession means no portal (or none with screen
// casting); anything else is the portal's error.
ShareProblem ProblemOf(const PortalResponse& response, bool created = true) {
    if (response.code == 1)
        return ShareProblem::Refused;
    return response.code < 0 && !created ? ShareProblem::NoPortal : ShareProblem::Error;
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
    PortalRequest::Send(m_bus, kScreenCastInterface, QStringLiteral("CreateSession"), {},
                        sessionOptions, this, [this](const PortalResponse& response) {
                            m_handle = PortalRequest::SessionHandleOf(response);
                            if (response.code != 0 || m_handle.isEmpty())
                                return Fail(ProblemOf(response, false));
                            m_bus.connect(kPortalService, m_handle, kSessionInterface,
                                          QStringLiteral("Closed"), this, SLOT(OnClosed()));
                            SelectSources();
                        });
}

PortalSession::~PortalSession() {
    PortalRequest::CloseSession(m_bus, m_handle, this, SLOT(OnClosed()));
}

void PortalSession::SelectSources() {
    QVariantMap options{{QStringLiteral("persist_mode"), kPersistUntilRevoked},
                        {QStringLiteral("types"), kMonitorSources}};
    if (!m_restoreToken.isEmpty())
        options.insert(QStringLiteral("restore_token"), m_restoreToken);
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
    PortalRequest::Send(m_bus, kScreenCastInterface, QStringLiteral("Start"),
                        {QVariant::fromValue(QDBusObjectPath(m_handle)), QString()}, {}, this,
                        [this](const PortalResponse& response) {
                            if (response.code != 0)
                                return Fail(ProblemOf(response));
                            std::vector<SharedMonitor> monitors =
                                SharedMonitorsOf(response.results.value(QStringLiteral("streams")));
                            if (monitors.empty())
                                return Fail(ShareProblem::Failed);
                            OpenRemote(
                                std::move(monitors),
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

void PortalSession::OnClosed() {
    m_handle.clear(); // nothing left to close
    Fail(ShareProblem::Stopped);
}

void PortalSession::Fail(ShareProblem problem) {
    if (const auto failed = std::exchange(m_events.failed, nullptr))
        failed(problem);
}
