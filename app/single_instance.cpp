#include "single_instance.h"

#include "instance_message.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

namespace {

// How long one exchange with the running instance may take before it counts as no answer.
constexpr int kExchangeMs = 2000;
// A client that has not sent its frame by then is dropped, so a stray connection holds nothing.
constexpr int kIdleClientMs = 5000;
constexpr unsigned long kRetryPauseMs = 50;

} // namespace

SingleInstance::SingleInstance(const QString& folder, QObject* parent) : QObject(parent) {
    if (folder.isEmpty())
        return;
    m_sLockPath = folder + QStringLiteral("/tintwatch.lock");
    m_sSocketPath = folder + QStringLiteral("/tintwatch.socket");
}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock: once the lock is free, a new instance may already
    // listen under the same name, and closing our server would remove its socket.
    if (m_pServer)
        m_pServer->close();
}

SingleInstance::Role SingleInstance::Claim(int command, std::chrono::milliseconds patience) {
    if (m_sLockPath.isEmpty())
        return Role::Unguarded;
    if (!m_pLock) {
        m_pLock = std::make_unique<QLockFile>(m_sLockPath);
        // Held for the whole run: only a dead holder makes it stale, never its age.
        m_pLock->setStaleLockTime(0);
    }
    const QDeadlineTimer deadline(patience);
    for (;;) {
        if (m_pLock->tryLock(0)) {
            Listen();
            return Role::Primary;
        }
        if (m_pLock->error() != QLockFile::LockFailedError)
            return Role::Unguarded;
        // The holder may have taken the lock a moment ago and not be listening yet.
        if (SendCommand(m_sSocketPath, command))
            return Role::Secondary;
        if (deadline.hasExpired())
            return Role::Unreachable;
        QThread::msleep(kRetryPauseMs);
    }
}

bool SingleInstance::Listen() {
    m_pServer = new QLocalServer(this);
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    // Whoever holds the lock owns the socket name, so a socket left there by a crash is dead.
    QLocalServer::removeServer(m_sSocketPath);
    connect(m_pServer, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
    if (m_pServer->listen(m_sSocketPath))
        return true;
    qWarning("Tintwatch: later starts cannot reach this one: %s",
             qPrintable(m_pServer->errorString()));
    return false;
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        QTimer::singleShot(kIdleClientMs, socket, &QLocalSocket::abort);
    }
}

void SingleInstance::OnReadyRead(QLocalSocket* socket) {
    if (socket->bytesAvailable() < InstanceMessage::kFrameSize)
        return;
    const auto command = InstanceMessage::Decode(socket->readAll());
    if (!command) {
        socket->abort();
        return;
    }
    socket->write(&InstanceMessage::kAcknowledge, 1);
    socket->disconnectFromServer();
    // Out of the socket's signal first: the receiver may run a modal loop.
    QMetaObject::invokeMethod(
        this, [this, id = *command] { emit CommandReceived(id); }, Qt::QueuedConnection);
}

bool SingleInstance::SendCommand(const QString& socketPath, int command) {
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kExchangeMs))
        return false;
    socket.write(InstanceMessage::Encode(command));
    if (!socket.waitForBytesWritten(kExchangeMs))
        return false;
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(kExchangeMs))
            return false;
    }
    char answer = 0;
    return socket.read(&answer, 1) == 1 && answer == InstanceMessage::kAcknowledge;
}
