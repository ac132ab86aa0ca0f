// One running Tintwatch per user. A lock file in the user's private runtime folder decides who
// runs; the running one listens on a user-only local socket beside it, and a later start hands
// it a command there and ends.
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
        Unguarded,   // no private folder or no lock possible: run without the check
    };

    // Keeps "tintwatch.lock" and "tintwatch.socket" in `folder` (empty: Unguarded).
    explicit SingleInstance(const QString& folder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Becomes the running instance, or hands `command` to the one that runs. A running one
    // that has taken the lock but is not listening yet (both started at the same moment) is
    // waited for up to `patience`.
    Role Claim(int command, std::chrono::milliseconds patience = std::chrono::seconds(10));

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
    std::unique_ptr<QLockFile> m_pLock;
    QLocalServer* m_pServer = nullptr;
};
