#include "runtime_folder.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

bool IsPrivateFolder(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

QString PrivateRuntimeFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsPrivateFolder(runtime))
        return runtime;

    const QString fallback =
        QDir::tempPath() + QStringLiteral("/tintwatch-%1").arg(static_cast<qulonglong>(::getuid()));
    const QByteArray native = QFile::encodeName(fallback);
    // An existing folder is only used when it is ours; a folder someone else planted in the
    // shared temporary folder must never receive our socket.
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return IsPrivateFolder(fallback) ? fallback : QString();
}
