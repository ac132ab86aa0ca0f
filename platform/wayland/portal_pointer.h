// The pointer moved through the remote-desktop portal, in a session of its own asked for at the
// first move: a desktop that asks the user asks only when "Show location" is used, not at every
// start. The moves go to the streams of that session's own screen cast.
#pragma once

#include "portal_session.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>
#include <optional>

struct PortalResponse;

class PortalPointer : public QObject {
    Q_OBJECT
public:
    PortalPointer();
    // Closes the session on the desktop's side too.
    ~PortalPointer() override;
    PortalPointer(const PortalPointer&) = delete;
    PortalPointer& operator=(const PortalPointer&) = delete;

    // Moves the pointer to desktop point `point`, asking the desktop first when no session runs,
    // then runs `done` (on the UI thread, now or once the desktop has answered) with whether it
    // was moved: not where the pointer is refused or a session comes without it. `inStream` is
    // the point in its stream's own pixels where the screen's stream tells them.
    void MoveTo(QPoint point, std::optional<QPointF> inStream, std::function<void(bool)> done);

private slots:
    void OnClosed();

private:
    void Ask();
    void Call(const QString& interface, const QString& method, QVariantList arguments,
              QVariantMap options, std::function<void(const PortalResponse&)> onGranted);
    void OnStarted(const PortalResponse& response);
    void Move(QPoint point, std::optional<QPointF> inStream) const;
    void Refuse();

    enum class State { Idle, Asking, Granted, Refused };
    QDBusConnection m_bus;
    State m_state = State::Idle;
    QString m_handle;                      // the session's object path, once created
    std::vector<SharedMonitor> m_monitors; // once granted
    // The move asked for while the desktop asks the user.
    struct Pending {
        QPoint point;
        std::optional<QPointF> inStream;
        std::function<void(bool)> done;
    };
    std::optional<Pending> m_pending;
};
