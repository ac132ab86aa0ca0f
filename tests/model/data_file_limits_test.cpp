// Saving against the limits of the real system: a file system that is full, and a process
// file-size limit. Either must fail the save with its reason and leave the old file whole.
#include "model/data_file_io.h"
#include "support/processes.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QByteArray kOld(3000, 'o');

// A 64 KB tmpfs mounted over a fresh folder, holding an old data file, then filled up.
class FullDisk : public ::testing::TestWithParam<qsizetype> {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root (CI runs as root)";
        ASSERT_EQ(::mount("tmpfs", qPrintable(Folder()), "tmpfs", 0, "size=64k"), 0)
            << std::strerror(errno);
        m_mounted = true;
        ASSERT_TRUE(WriteFile(Path(), kOld));
        // Filled in small pieces, so that the last few bytes are taken too.
        QFile filler(Folder() + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(512, 'f')) > 0) {
        }
    }
    void TearDown() override {
        if (m_mounted)
            ::umount2(qPrintable(Folder()), MNT_DETACH);
    }
    QString Folder() const { return m_user.Path(QStringLiteral("data/Tintwatch")); }
    QString Path() const { return m_user.DataFilePath(); }

    UserFolders m_user;
    bool m_mounted = false;
};

TEST_P(FullDisk, SaveFailsWithTheReasonAndTheOldFileStaysWhole) {
    const QString reason = WriteWholeFile(Path(), QByteArray(GetParam(), 'n'));
    EXPECT_TRUE(reason.contains(QStringLiteral("No space left on device"))) << qPrintable(reason);
    const QByteArray now = ReadFile(Path());
    EXPECT_TRUE(now == kOld) << "the data file now holds " << now.size() << " bytes";
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files),
              (QStringList{QStringLiteral("filler"), QStringLiteral("Tintwatchv7.1.dat")}));
}

// A small list stays in Qt's write buffer until the commit; a large one is written at once.
INSTANTIATE_TEST_SUITE_P(ListSizes, FullDisk, ::testing::Values(100, 5000, 200000));

// Limits files to 1,000 bytes and saves a small and a large list beyond it; exits with 0 when
// both saves failed for that reason.
[[noreturn]] void SaveUnderALimitAndExit(const QString& path) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limit);
    int failed = 0;
    for (const qsizetype size : {2000, 200000}) {
        const QString reason = WriteWholeFile(path, QByteArray(size, 'n'));
        std::fprintf(stderr, "%d bytes: %s\n", static_cast<int>(size), qPrintable(reason));
        failed += reason.contains(QStringLiteral("File too large")) ? 1 : 0;
    }
    std::_Exit(failed == 2 ? 0 : 1);
}

TEST(FileSizeLimit, FailsTheSaveWithoutEndingTheProgram) {
    UserFolders user;
    ASSERT_TRUE(WriteWholeFile(user.DataFilePath(), kOld).isEmpty());
    // In a child: the limit, and the signal it raises, would otherwise reach the whole suite.
    EXPECT_EXIT(SaveUnderALimitAndExit(user.DataFilePath()), ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(ReadFile(user.DataFilePath()) == kOld);
    EXPECT_EQ(QDir(user.Path(QStringLiteral("data/Tintwatch"))).entryList(QDir::Files),
              QStringList{QStringLiteral("Tintwatchv7.1.dat")});
}

} // namespace
