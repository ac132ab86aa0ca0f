// One running Tintwatch per data file. A lock file beside the data file decides who runs,
// whatever session or runtime folder a start comes from; the running one listens on a
// user-only local socket (a named pipe on Windows) beside it, and a later start hands it the
// one command it accepts there and ends.
#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QLocalServer;
class QLocalSocket;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        Primary,     // this process runs; commands from later starts arrive as CommandReceived
        Secondary,   // another instance runs and has taken the command: end now
        Unreachable, // another instance holds the lock but never answered
        Unguarded,   // no lock can be made: running could overwrite another instance's list
    };

    // Keeps "tintwatch.lock" and "tintwatch.socket" in `dataFolder`, the folder of the data
    // file (empty: Unguarded). A socket whose path is too long for the system goes in
    // `runtimeFolder`, a private folder of this user, under a name made from `dataFolder`.
    explicit SingleInstance(const QString& dataFolder, const QString& runtimeFolder = {},
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, or hands `command` to the one that runs. A running one
    // that has taken the lock but is not listening yet (both started at the same moment) is
    // waited for up to `patience`. Once running, this instance takes `command` alone from
    // later starts and drops every other message.
    Role Claim(int command, std::chrono::milliseconds patience = std::chrono::seconds(10));
    // Why a start that got `role` (Unreachable or Unguarded) must not run, for the user.
    QString WhyNotRunning(Role role) const;

    QString SocketPath() const { return m_sSocketPath; }

signals:
    // A later start's command. Always delivered from the event queue, never from inside the
    // socket's own signals, so a receiver may open windows.
    void CommandReceived(int command);

private:
    bool Listen();
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);
    static bool SendCommand(const QString& socketPath, int command);

    QString m_sLockPath;
    QString m_sSocketPath;
    int m_nCommand = 0;
    std::unique_ptr<QLockFile> m_pLock;
    QLocalServer* m_pServer = nullptr;
};
