// Where the data file lives: the data folder under the user's application-data folder, created
// and made current; and the run-time module look-up behind it, which fails quietly.
#include "model/data_file_path.h"
#include "platform/shell/shell_api.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void SetEnv(const char* name, const char* value) {
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

TEST(DataFilePath, LivesInTheDataHomeOrTheHomesLocalShareWithItsFolderCreatedAndCurrent) {
    QTemporaryDir root;
    const QByteArray home = root.filePath("home").toLocal8Bit();
    const QByteArray dataHome = root.filePath("not/yet/there").toLocal8Bit();
    const QString inHome = root.filePath("home/.local/share/Tintwatch");
    const QString saved = QString::fromLocal8Bit(std::getenv("XDG_DATA_HOME"));
    const QByteArray withSlash = dataHome + "/";
    struct Case {
        const char* dataHome;
        QString folder;
    } cases[] = {
        {dataHome.constData(), QString::fromLocal8Bit(dataHome) + "/Tintwatch"},
        {withSlash.constData(), QString::fromLocal8Bit(dataHome) + "/Tintwatch"},
        {nullptr, inHome},
        {"", inHome},
        {"relative/data", inHome},
    };
    setenv("HOME", home.constData(), 1);
    for (const Case& c : cases) {
        SetEnv("XDG_DATA_HOME", c.dataHome);
        QString path = QStringLiteral("whatever was there");
        GetDataFilePath(path);
        EXPECT_EQ(path, c.folder + "/Tintwatchv7.1.dat") << (c.dataHome ? c.dataHome : "unset");
        EXPECT_TRUE(QFileInfo(c.folder).isDir());
        EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
                  QFileInfo(c.folder).canonicalFilePath());
    }
    setenv("XDG_DATA_HOME", saved.toLocal8Bit().constData(), 1);
}

TEST(ShellApi, MissingModulesSymbolsAndFoldersLeaveThePathAlone) {
    const CDynDll missing("libtintwatch-no-such-library.so.0");
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_EQ(missing.GetProcAddress("getenv"), nullptr);
    const CDynDll libc("libc.so.6");
    EXPECT_EQ(libc.GetProcAddress("tintwatch_no_such_symbol"), nullptr);
    EXPECT_NE(libc.GetProcAddress("getenv"), nullptr);

    QString path = QStringLiteral("as the caller left it");
    EXPECT_FALSE(CShellApi("libtintwatch-no-such-library.so.0")
                     .SHGetSpecialFolderPath(path, CSIDL_LOCAL_APPDATA, true));
    const CShellApi shell;
    EXPECT_FALSE(shell.SHGetSpecialFolderPath(path, 0x10, true));
    EXPECT_EQ(path, QStringLiteral("as the caller left it"));
    EXPECT_TRUE(shell.SHGetSpecialFolderPath(path, CSIDL_LOCAL_APPDATA, true));
    EXPECT_EQ(path, QString::fromLocal8Bit(std::getenv("XDG_DATA_HOME")));
}

} // namespace
