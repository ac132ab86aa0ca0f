#include "disk_write.h"

#include <QThread>

#include <algorithm>
#include <cerrno>
#include <io.h>
#include <windows.h>

namespace {

// How long another program may hold the file before the replace gives up: scanners let go
// within a few hundred milliseconds.
constexpr int kHeldTries = 8;
constexpr unsigned long kFirstPauseMs = 10;

} // namespace

QString WriteAllAndSync(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    for (qsizetype left = bytes.size(); left > 0;) {
        // The runtime writes at most an unsigned int's worth at a time.
        const auto piece = static_cast<unsigned>(std::min<qsizetype>(left, 1 << 30));
        const int written = ::_write(fd, next, piece);
        if (written <= 0)
            return qt_error_string(written < 0 ? errno : EIO);
        next += written;
        left -= written;
    }
    return ::_commit(fd) == 0 ? QString() : qt_error_string(errno);
}

QString ReplaceDurably(const QString& from, const QString& to) {
    const auto source = reinterpret_cast<const wchar_t*>(from.utf16());
    const auto target = reinterpret_cast<const wchar_t*>(to.utf16());
    unsigned long pause = kFirstPauseMs;
    for (int attempt = 1;; ++attempt, pause *= 2) {
        // Write-through: the call returns once the new name is on the disk.
        if (::MoveFileExW(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return {};
        const DWORD error = ::GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                          error == ERROR_LOCK_VIOLATION;
        if (!held || attempt == kHeldTries)
            return qt_error_string(static_cast<int>(error));
        QThread::msleep(pause);
    }
}
