#include "local_app_data.h"

#include <QDir>

#include <pwd.h>
#include <unistd.h>

#include <vector>

namespace {

QString AbsoluteVariable(GetEnvFunction getEnv, const char* name) {
    const QString value = QString::fromLocal8Bit(getEnv(name));
    // Relative values are invalid under the freedesktop rules and are ignored.
    return QDir::isAbsolutePath(value) ? value : QString();
}

QString PasswordDatabaseHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return QString::fromLocal8Bit(found->pw_dir);
}

} // namespace

QString LocalAppDataFolder(GetEnvFunction getEnv, bool create) {
    QString folder = AbsoluteVariable(getEnv, "XDG_DATA_HOME");
    if (folder.isEmpty()) {
        QString home = AbsoluteVariable(getEnv, "HOME");
        if (home.isEmpty())
            home = PasswordDatabaseHome();
        if (home.isEmpty())
            return {};
        folder = home + QStringLiteral("/.local/share");
    }
    if (create && !QDir().mkpath(folder))
        return {};
    return folder;
}
