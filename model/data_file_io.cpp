#include "data_file_io.h"

#include "exceptions.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

// Past a process file-size limit the system ends the process with SIGXFSZ unless it is
// ignored; ignored, the write fails with EFBIG and the save fails like any other.
void LetFileSizeLimitFailWrites() {
    [[maybe_unused]] static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
}

// Qt 6.4's QSaveFile keeps small writes in a buffer, and its commit() renames the temporary
// file even when flushing that buffer failed, so a full disk would leave an empty data file;
// its own writes also lose the reason of a write cut short. So the bytes go straight to the
// descriptor, each one accounted for, and are synced to the disk before any rename. Returns
// the reason when that fails.
QString PutOnDisk(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    for (qsizetype left = bytes.size(); left > 0;) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return qt_error_string(written < 0 ? errno : EIO);
        next += written;
        left -= written;
    }
    return ::fdatasync(fd) == 0 ? QString() : qt_error_string(errno);
}

} // namespace

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw CFileException(
            QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()).toStdString());
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CFileException(
            QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()).toStdString());
    return bytes;
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    LetFileSizeLimitFailWrites();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (const QString reason = PutOnDisk(file.handle(), bytes); !reason.isEmpty()) {
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString DamagedCopyPath(const QString& dataFilePath) {
    return dataFilePath + QStringLiteral(".bad");
}

bool KeepDamagedCopy(const QString& dataFilePath, const QByteArray& bytes) {
    return WriteWholeFile(DamagedCopyPath(dataFilePath), bytes).isEmpty();
}

bool KeepDamagedCopy(const QString& dataFilePath) {
    try {
        return KeepDamagedCopy(dataFilePath, ReadWholeFile(dataFilePath));
    } catch (const CFileException&) {
        return false;
    }
}
