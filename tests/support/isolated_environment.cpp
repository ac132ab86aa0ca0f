#include "isolated_environment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

QString IsolateUserFolders() {
    // Lives until the process ends; removed then with everything the tests wrote.
    static QTemporaryDir root(QDir::tempPath() + QStringLiteral("/tintwatch-test-XXXXXX"));
    const QString base = root.path();
    for (const char* name :
         {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME", "HOME"}) {
        const QString folder = base + QLatin1Char('/') + QString::fromLatin1(name).toLower();
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        setenv(name, folder.toLocal8Bit().constData(), 1);
    }
    return base;
}
