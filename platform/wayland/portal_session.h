// The screen-cast portal's handshake for every monitor: CreateSession, SelectSources, Start,
// OpenPipeWireRemote. A restore token from an earlier share lets the desktop skip its question.
#pragma once

#include "platform/screen_share.h"
#include "shared_monitors.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariant>
#include <functional>
#include <vector>

struct PortalSessionOptions {
    unsigned cursorMode = 0; // SelectSources' cursor_mode, one the portal offers; 0: none
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

private slots:
    void OnClosed();

private:
    void SelectSources();
    void StartCast();
    void OpenRemote(std::vector<SharedMonitor> monitors, QString restoreToken);
    void Fail(ShareProblem problem);

    QDBusConnection m_bus;
    QString m_restoreToken;
    PortalSessionOptions m_options;
    PortalSessionEvents m_events;
    QString m_handle; // the session's object path, once created
};
