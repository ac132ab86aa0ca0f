#include "disk_write.h"

#include <algorithm>
#include <cerrno>
#include <io.h>

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
