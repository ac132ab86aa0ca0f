#include "runtime_folder.h"

#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Whether `path` is a real folder (not a link) owned by this user with no access for others.
bool IsPrivateFolder(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

} // namespace

QString PrivateRuntimeFolder() {
    // Nothing in the shared temporary folder instead: another user can take any name there
    // first.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return IsPrivateFolder(runtime) ? runtime : QString();
}
