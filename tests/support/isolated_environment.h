// Points every per-user folder at a fresh temporary folder, so no test ever reads or writes
// the real user's data file, settings or runtime files.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Call once, first thing in main(), before any Qt object exists; the folder is removed at exit.
inline void IsolateUserFolders() {
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tintwatch-test-XXXXXX"));
    for (const char* name :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"}) {
        const QString folder = root.path() + QLatin1Char('/') + QString::fromLatin1(name).toLower();
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        setenv(name, folder.toLocal8Bit().constData(), 1);
    }
}
