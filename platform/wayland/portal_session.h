// The screen-cast portal's handshake for every monitor: CreateSession, SelectSources, Start,
// OpenPipeWireRemote. A restore token from an earlier share lets the desktop skip its question.
// Where the pointer is to be moved through the remote-desktop portal, the session is that
// portal's, with the pointer selected too, so that the user is asked once for both.
#pragma once

#include "platform/screen_share.h"

#include <QDBusConnection>
#include <QObject>
#include <QRect>
#include <cstdint>
#include <functional>
#include <vector>

struct SharedMonitor {
    std::uint32_t node = 0; // PipeWire node of the monitor's stream
    QRect area;             // where it lies on the desktop
};

struct PortalSessionOptions {
    unsigned cursorMode = 0;    // SelectSources' cursor_mode, one the portal offers; 0: none
    bool remoteDesktop = false; // the pointer may be moved in this session
};

struct PortalSessionEvents {
    // The share runs: `fd` (ours to close) reaches PipeWire; `restoreToken` may be empty.
    std::function<void(int fd, std::vector<SharedMonitor> monitors, QString restoreToken)> ready;
    // The share could not be had, or ended; runs at most once.
    std::function<void(ShareProblem problem)> failed;
};

class PortalSession : public QObject {
    Q_OBJECT
public:
    // Starts asking at once; the events run later, on the UI thread.
    PortalSession(QString restoreToken, PortalSessionOptions options, PortalSessionEvents events);
    // Closes the session on the desktop's side too.
    ~PortalSession() override;
    PortalSession(const PortalSession&) = delete;
    PortalSession& operator=(const PortalSession&) = delete;

    // Moves the pointer to `point` of the stream of shared monitor `monitor` (in the order
    // `ready` gave them), where the session was made for that and runs; elsewhere nothing
    // happens.
    void MovePointer(std::size_t monitor, QPointF point) const;

private slots:
    void OnClosed();

private:
    void SelectDevices();
    void SelectSources();
    void StartCast();
    void OpenRemote(std::vector<SharedMonitor> monitors, QString restoreToken);
    void Fail(ShareProblem problem);

    QDBusConnection m_bus;
    QString m_restoreToken;
    PortalSessionOptions m_options;
    PortalSessionEvents m_events;
    QString m_handle;                      // the session's object path, once created
    std::vector<SharedMonitor> m_monitors; // once it runs
};
