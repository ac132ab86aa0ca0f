// Modules loaded at run time, and the folder look-up through them, fail quietly.
#include "platform/shell/shell_api.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(DynDll, MissingLibraryStaysEmpty) {
    const CDynDll module("libtintwatch-no-such-library.so.0");
    EXPECT_FALSE(module.IsLoaded());
    EXPECT_EQ(module.GetProcAddress("getenv"), nullptr);
}

TEST(DynDll, MissingSymbolGivesNothingWhilePresentOnesAreFound) {
    const CDynDll module("libc.so.6");
    ASSERT_TRUE(module.IsLoaded());
    EXPECT_EQ(module.GetProcAddress("tintwatch_no_such_symbol"), nullptr);
    EXPECT_NE(module.GetProcAddress("getenv"), nullptr);
}

TEST(ShellApi, FolderLookupGivesTheDataHomeCreated) {
    const QString dataHome = QString::fromLocal8Bit(std::getenv("XDG_DATA_HOME"));
    ASSERT_FALSE(dataHome.isEmpty());
    const CShellApi shell;
    ASSERT_TRUE(shell.HasFolderLookup());
    QString path;
    EXPECT_TRUE(shell.SHGetSpecialFolderPath(path, CSIDL_LOCAL_APPDATA, true));
    EXPECT_EQ(path, dataHome);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(ShellApi, UnavailableLookupOrUnknownFolderLeavesThePathAlone) {
    const CShellApi missing("libtintwatch-no-such-library.so.0");
    EXPECT_FALSE(missing.HasFolderLookup());
    QString path = QStringLiteral("as the caller left it");
    EXPECT_FALSE(missing.SHGetSpecialFolderPath(path, CSIDL_LOCAL_APPDATA, true));
    EXPECT_EQ(path, QStringLiteral("as the caller left it"));

    const CShellApi shell;
    EXPECT_FALSE(shell.SHGetSpecialFolderPath(path, 0x10, true));
    EXPECT_EQ(path, QStringLiteral("as the caller left it"));
}

} // namespace
