// Launching with verbs: real programs started by the launcher record what they were given.
#include "platform/qt/desktop_launcher.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A program that writes its argument count, its arguments and its open descriptors.
void WriteRecorder(const QString& path, const QString& outPath) {
    QFile script(path);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n"
                 "{ echo \"$#\"; for a in \"$@\"; do printf '%s\\n' \"$a\"; done;"
                 " echo fds: $(ls /proc/$$/fd); } > '" +
                 QFile::encodeName(outPath) + ".tmp' && mv '" + QFile::encodeName(outPath) +
                 ".tmp' '" + QFile::encodeName(outPath) + "'\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}

// The recorder's lines, once it has written them; empty after two seconds.
QStringList WaitForRecord(const QString& outPath) {
    QElapsedTimer clock;
    clock.start();
    // Events too: some launches start only once an answer arrives through the event loop.
    while (!QFile::exists(outPath) && clock.elapsed() < 2000) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    QFile out(outPath);
    if (!out.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(out.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Child processes of this one, zombies included.
int ChildCount() {
    int children = 0;
    const QString me = QString::number(getpid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QString line = QString::fromLatin1(stat.readAll());
        // "pid (comm) state ppid ...": the name may hold blanks, so split after the last ')'.
        const QStringList fields =
            line.mid(line.lastIndexOf(QLatin1Char(')')) + 2).split(QLatin1Char(' '));
        if (fields.size() > 1 && fields[1] == me)
            ++children;
    }
    return children;
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        odd = root.filePath(QStringLiteral("dir with \"quotes\" and 'blanks'"));
        ASSERT_TRUE(QDir().mkpath(odd));
        out = root.filePath(QStringLiteral("record.txt"));
    }
    QTemporaryDir root;
    QString odd;
    QString out;
    DesktopLauncher launcher;
};

} // namespace

TEST_F(LauncherTest, OpenStartsAnExecutableWithNoArgumentsWhateverItsPath) {
    const QString program = odd + QStringLiteral("/record me \"now\".sh");
    WriteRecorder(program, out);
    // A descriptor this process left inheritable must not reach the program.
    const int leaked = dup2(open("/dev/null", O_RDONLY), 57);
    ASSERT_EQ(leaked, 57);

    EXPECT_TRUE(launcher.ShellExecute(QStringLiteral("OpEn"), program));
    const QStringList record = WaitForRecord(out);
    close(leaked);
    ASSERT_EQ(record.size(), 2) << record.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(record[0], QStringLiteral("0"));
    EXPECT_FALSE(record[1].split(QLatin1Char(' ')).contains(QStringLiteral("57")))
        << record[1].toStdString();
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(LauncherTest, UnknownVerbsAndEmptyPathsStartNothing) {
    const QString program = odd + QStringLiteral("/recorder.sh");
    WriteRecorder(program, out);
    EXPECT_FALSE(launcher.ShellExecute(QStringLiteral("runas"), program));
    EXPECT_FALSE(launcher.ShellExecute(QString(), program));
    EXPECT_FALSE(launcher.ShellExecute(QStringLiteral("open"), QString()));
    QThread::msleep(300);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(LauncherTest, LaunchDetachedPassesEachArgumentWholeAndReportsMissingPrograms) {
    const QString program = odd + QStringLiteral("/recorder.sh");
    WriteRecorder(program, out);
    const QStringList arguments{QStringLiteral("a b"), QStringLiteral("\"c\";d"),
                                QStringLiteral("$(touch x)")};
    EXPECT_TRUE(launcher.LaunchDetached(program, arguments));
    const QStringList record = WaitForRecord(out);
    ASSERT_EQ(record.size(), 5);
    EXPECT_EQ(record.mid(0, 4), (QStringList{QStringLiteral("3")} + arguments));
    EXPECT_FALSE(launcher.LaunchDetached(root.filePath(QStringLiteral("no-such-program")), {}));
    EXPECT_FALSE(launcher.LaunchDetached(QString(), {}));
    EXPECT_EQ(ChildCount(), 0);
}

TEST_F(LauncherTest, EditHandsExactlyThePathToTheDefaultTextEditor) {
    // The desktop's answer for text/plain, and the entry it names, both in private folders.
    const QString bin = root.filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    QFile query(bin + QStringLiteral("/xdg-mime"));
    ASSERT_TRUE(query.open(QIODevice::WriteOnly));
    // A slow answer, as a busy desktop gives: the launch must not wait for it.
    query.write("#!/bin/sh\nsleep 0.5\n[ \"$*\" = 'query default text/plain' ] && "
                "echo tintwatch-test-editor.desktop\n");
    query.close();
    query.setPermissions(query.permissions() | QFileDevice::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(bin) + ':' + oldPath);

    const QString editor = root.filePath(QStringLiteral("my editor.sh"));
    WriteRecorder(editor, out);
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    ASSERT_TRUE(applications.startsWith(qEnvironmentVariable("XDG_DATA_HOME")));
    ASSERT_TRUE(QDir().mkpath(applications));
    QFile entry(applications + QStringLiteral("/tintwatch-test-editor.desktop"));
    ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Test editor\nExec=\"" +
                QFile::encodeName(editor) + "\" %F\n");
    entry.close();

    const QString document = odd + QStringLiteral("/notes \"draft\" it's.txt");
    QFile(document).open(QIODevice::WriteOnly);
    QElapsedTimer clock;
    clock.start();
    const bool started = launcher.ShellExecute(QStringLiteral("EDIT"), document);
    const qint64 took = clock.elapsed();
    qputenv("PATH", oldPath);

    EXPECT_TRUE(started);
    EXPECT_LT(took, 300) << "waited for the desktop's answer";
    const QStringList record = WaitForRecord(out);
    ASSERT_EQ(record.size(), 3);
    EXPECT_EQ(record.mid(0, 2), (QStringList{QStringLiteral("1"), document}));
    EXPECT_EQ(ChildCount(), 0);
}
