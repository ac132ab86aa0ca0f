#include "runtime_folder.h"

#include <QDir>

QString PrivateRuntimeFolder() {
    // The user's temporary folder lies in the user's profile, closed to other users. The
    // instance pipe is named after a path in it, so each user has a pipe of his own.
    const QString folder = QDir::tempPath() + QStringLiteral("/Tintwatch");
    return QDir().mkpath(folder) ? folder : QString();
}
