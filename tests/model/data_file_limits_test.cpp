// Saving against the limits of the real system: a file system that is full, and a process
// file-size limit. Either must fail the save with its reason and leave the old file whole.
#include "model/data_file_io.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Pattern(qsizetype size, char seed) {
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + i % 97);
    return bytes;
}

// A 64 KB tmpfs mounted over a fresh folder, holding an old data file, then filled up.
class FullDisk : public ::testing::TestWithParam<qsizetype> {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a small tmpfs needs root (CI runs as root)";
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_EQ(::mount("tmpfs", qPrintable(m_folder.path()), "tmpfs", 0, "size=64k"), 0)
            << std::strerror(errno);
        m_mounted = true;
        WriteFile(Path(), m_old);
        // Filled in small pieces, so that the last few bytes are taken too.
        QFile filler(m_folder.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray piece(512, 'f');
        while (filler.write(piece) > 0) {
        }
    }
    void TearDown() override {
        if (m_mounted)
            ::umount2(qPrintable(m_folder.path()), MNT_DETACH);
    }
    static void WriteFile(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QString Path() const { return m_folder.filePath(QStringLiteral("Tintwatchv7.1.dat")); }

    QTemporaryDir m_folder;
    bool m_mounted = false;
    const QByteArray m_old = Pattern(3000, 'a');
};

TEST_P(FullDisk, SaveFailsWithTheReasonAndTheOldFileStaysWhole) {
    const QString reason = WriteWholeFile(Path(), Pattern(GetParam(), 'k'));
    EXPECT_TRUE(reason.contains(QStringLiteral("No space left on device"))) << qPrintable(reason);
    const QByteArray now = ReadAll(Path());
    EXPECT_TRUE(now == m_old) << "the data file now holds " << now.size() << " bytes";
    EXPECT_EQ(QDir(m_folder.path()).entryList(QDir::Files),
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
        const QString reason = WriteWholeFile(path, Pattern(size, 'k'));
        std::fprintf(stderr, "%d bytes: %s\n", static_cast<int>(size), qPrintable(reason));
        failed += reason.contains(QStringLiteral("File too large")) ? 1 : 0;
    }
    std::_Exit(failed == 2 ? 0 : 1);
}

TEST(FileSizeLimit, FailsTheSaveWithoutEndingTheProgram) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Tintwatchv7.1.dat"));
    const QByteArray old = Pattern(300, 'a');
    ASSERT_TRUE(WriteWholeFile(path, old).isEmpty());
    // In a child: the limit, and the signal it raises, would otherwise reach the whole suite.
    EXPECT_EXIT(SaveUnderALimitAndExit(path), ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(ReadAll(path) == old);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("Tintwatchv7.1.dat")});
}

} // namespace
