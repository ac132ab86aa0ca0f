#include "single_instance.h"

#include "instance_message.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
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
// The longest socket path every Unix system binds (sockaddr_un holds 104 to 108 bytes); pipe
// names on Windows may be far longer than any folder.
#ifdef Q_OS_WIN
constexpr qsizetype kMaxSocketPath = 256;
#else
constexpr qsizetype kMaxSocketPath = 103;
#endif

QString SocketPathFor(const QString& dataFolder, const QString& runtimeFolder) {
    const QString beside = dataFolder + QStringLiteral("/tintwatch.socket");
    if (QFile::encodeName(beside).size() <= kMaxSocketPath || runtimeFolder.isEmpty())
        return beside;
    const QByteArray key =
        QCryptographicHash::hash(dataFolder.toUtf8(), QCryptographicHash::Sha256).toHex();
    return runtimeFolder + QStringLiteral("/tintwatch-%1.socket").arg(QLatin1String(key.left(16)));
}

} // namespace

SingleInstance::SingleInstance(const QString& dataFolder, const QString& runtimeFolder,
                               QObject* parent)
    : QObject(parent) {
    if (dataFolder.isEmpty())
        return;
    m_sLockPath = dataFolder + QStringLiteral("/tintwatch.lock");
    m_sSocketPath = SocketPathFor(dataFolder, runtimeFolder);
}

SingleInstance::~SingleInstance() {
    // The socket goes before the lock: once the lock is free, a new instance may already
    // listen under the same name, and closing our server would remove its socket.
    if (m_pServer)
        m_pServer->close();
}

SingleInstance::Role SingleInstance::Claim(int command, std::chrono::milliseconds patience) {
    m_nCommand = command;
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

QString SingleInstance::WhyNotRunning(Role role) const {
    if (role == Role::Unguarded)
        return QStringLiteral("Tintwatch cannot start: it could not create %1, which makes sure "
                              "that only one Tintwatch uses its list of events.")
            .arg(m_sLockPath.isEmpty() ? QStringLiteral("its lock file") : m_sLockPath);
    qint64 pid = 0;
    QString host, application;
    if (!m_pLock || !m_pLock->getLockInfo(&pid, &host, &application))
        host = QStringLiteral("an unknown computer");
    return QStringLiteral("Tintwatch is already running for this list of events (process %1 on "
                          "%2) but does not answer. If no Tintwatch runs there any more, remove "
                          "%3 and start it again.")
        .arg(pid)
        .arg(host, m_sLockPath);
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
    // Any process of the user can connect: only the one harmless command a start sends is
    // taken, never one that would change the list or end the program.
    if (command != m_nCommand) {
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
