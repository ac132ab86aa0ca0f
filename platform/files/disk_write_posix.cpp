#include "disk_write.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Past a process file-size limit the system ends the process with SIGXFSZ unless it is
// ignored; ignored, the write fails with EFBIG and the save fails like any other.
void LetFileSizeLimitFailWrites() {
    [[maybe_unused]] static const bool ignored = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
}

} // namespace

QString WriteAllAndSync(int fd, const QByteArray& bytes) {
    LetFileSizeLimitFailWrites();
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

QString ReplaceDurably(const QString& from, const QString& to) {
    if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        return qt_error_string(errno);
    // The new name lives in the folder's own data: until that is on the disk, a power cut can
    // bring back the old file.
    const int folder = ::open(QFile::encodeName(QFileInfo(to).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return qt_error_string(errno);
    const int synced = ::fsync(folder) == 0 ? 0 : errno;
    ::close(folder);
    return synced == 0 ? QString() : qt_error_string(synced);
}
