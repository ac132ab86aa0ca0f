// Launching with verbs: recording scripts stand in for the desktop's opener, the printer and
// the editor. Real processes: no shell in between, no descriptor, environment variable or
// signal disposition of ours passed on, nothing unreaped, and the caller never kept waiting.
#include "platform/files/disk_write.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/file_start.h"
#include "platform/qt/launch_environment.h"
#include "support/processes.h"
#include "support/waiting.h"

#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <memory>

namespace {

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(bin);
        QDir().mkpath(odd);
        WriteRecordingScript(bin + "/xdg-open", user.Path("opener.log"));
        WriteRecordingScript(bin + "/lp", user.Path("printer.log"));
        qputenv("PATH", QFile::encodeName(bin) + ':' + savedPath);
    }
    void TearDown() override {
        qputenv("PATH", savedPath);
        QDir::setCurrent(savedFolder);
        // No child of ours has ended unreaped (only looked at: WNOWAIT reaps nothing).
        siginfo_t ended{};
        ::waitid(P_ALL, 0, &ended, WEXITED | WNOHANG | WNOWAIT);
        EXPECT_EQ(ended.si_pid, 0);
    }
    // The one line a program wrote to `log` (without its last '|'), once it has written it.
    QString Recorded(const QString& log) {
        WaitUntil([&] { return LineCount(user.Path(log)) > 0; }, 3000);
        const QString line = QString::fromUtf8(ReadFile(user.Path(log))).trimmed();
        QFile::remove(user.Path(log));
        return line.left(line.size() - 1);
    }
    // What the launch `begin` starts reports once the call has returned: empty when started.
    static QString Heard(const std::function<void(LaunchDone)>& begin) {
        const auto heard = std::make_shared<std::optional<QString>>();
        begin([heard](const QString& failure) { *heard = failure; });
        EXPECT_FALSE(heard->has_value()) << "told before the call returned";
        EXPECT_TRUE(WaitUntil([&] { return heard->has_value(); }));
        return heard->value_or("never told");
    }

    UserFolders user;
    const QString bin = user.Path("bin");
    const QString odd = user.Path("home/dir with \"quotes\" and 'blanks'");
    const QByteArray savedPath = qgetenv("PATH");
    const QString savedFolder = QDir::currentPath();
    DesktopLauncher launcher;
};

} // namespace

TEST_F(LauncherTest, EachVerbStartsItsProgramWithThePath) {
    const QString program = WriteRecordingScript(odd + "/run me \"now\".sh", user.Path("run.log"));
    const QString notes = odd + "/notes.txt";
    WriteFile(notes, "notes");
    WriteFile(odd + "/ab:notes", "an existing file is a file whatever its name");
    // A document with the execute bit, as every file on a FAT or NTFS mount has.
    const QString pdf = odd + "/report.pdf";
    WriteFile(pdf, "%PDF-1.4\n");
    QFile::setPermissions(pdf, QFile::permissions(program));
    QDir::setCurrent(odd);
    const struct {
        const char* verb;
        QString file, log, expected; // expected empty: nothing may start
    } cases[] = {
        {"OpEn", program, "run.log", ""}, // an executable runs, with no arguments
        {"open", notes, "opener.log", QUrl::fromLocalFile(notes).toString()},
        {"open", pdf, "opener.log", QUrl::fromLocalFile(pdf).toString()},
        {"open", "ab:notes", "opener.log", QUrl::fromLocalFile(odd + "/ab:notes").toString()},
        {"open", "c:notes", "opener.log", QUrl::fromLocalFile(odd + "/c:notes").toString()},
        {"open", "https://example.org/a?q=1", "opener.log", "https://example.org/a?q=1"},
        {"print", "notes.txt", "printer.log", notes},
        {"explore", notes, "opener.log", QUrl::fromLocalFile(odd).toString()},
        {"explore", odd, "opener.log", QUrl::fromLocalFile(odd).toString()},
        {"runas", program, "", ""},
        {"", program, "", ""},
        {"open", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.verb) + ' ' + c.file.toStdString());
        if (c.log.isEmpty()) {
            launcher.ShellExecute(c.verb, c.file, [](const QString&) { ADD_FAILURE(); });
            continue;
        }
        EXPECT_EQ(Heard([&](LaunchDone done) { launcher.ShellExecute(c.verb, c.file, done); }), "");
        const QString got = Recorded(c.log);
        EXPECT_EQ(c.log == "opener.log" ? QUrl(got).toString() : got, c.expected);
    }
    Settle(300);
    for (const char* log : {"run.log", "opener.log", "printer.log"})
        EXPECT_FALSE(QFile::exists(user.Path(log))) << log << " started by a refused verb";
    QFile::remove(bin + "/lp");
    EXPECT_EQ(Heard([&](LaunchDone done) { launcher.ShellExecute("print", notes, done); }),
              "No such file or directory");
}

TEST(FileStart, OnlyProgramsRunWhereEveryFileLooksExecutable) {
    const struct {
        bool executable, elf;
        const char* filesystem;
        FileStart start;
    } cases[] = {
        {true, false, "ext4", FileStart::Run},       // a script
        {true, false, "", FileStart::Run},           // a filesystem that cannot be told
        {true, true, "vfat", FileStart::Run},        // a program on a USB stick
        {true, false, "vfat", FileStart::Opener},    // a document, or a text starting "#!"
        {true, false, "fuseblk", FileStart::Opener}, // NTFS through FUSE
        {true, false, "cifs", FileStart::Opener},    {false, true, "ext4", FileStart::Opener},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseFileStart(c.executable, c.elf, KeepsExecuteBits(c.filesystem)), c.start)
            << c.filesystem;
    EXPECT_EQ(FilesystemTypeOf("/proc/self/status"), "proc");
    EXPECT_EQ(FilesystemTypeOf("/no/such/file"), "");
    EXPECT_EQ(ChooseFileStart(QStringLiteral("/bin/true")), FileStart::Run);
}

TEST_F(LauncherTest, EditAsksTheDesktopForItsEditorOnceAndNeverWaits) {
    // A slow answer, as a busy desktop gives: the launch must not wait for it.
    WriteFile(bin + "/xdg-mime", "#!/bin/sh\necho >> '" + QFile::encodeName(user.Path("asked")) +
                                     "'\nsleep 0.5\n[ \"$*\" = 'query default text/plain' ] "
                                     "&& echo tintwatch-test-editor.desktop\n");
    QFile::setPermissions(bin + "/xdg-mime", QFile::permissions(bin + "/lp"));
    const QString editor = WriteRecordingScript(user.Path("my editor"), user.Path("editor.log"));
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    QDir().mkpath(applications);
    WriteFile(applications + "/tintwatch-test-editor.desktop",
              "[Desktop Entry]\nType=Application\nExec=\"" + QFile::encodeName(editor) + "\" %F\n");

    const QString document = odd + "/notes \"draft\" it's.txt";
    for (int edit = 0; edit < 3; ++edit) {
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(Heard([&](LaunchDone done) {
                      launcher.ShellExecute("EDIT", document, done);
                      EXPECT_LT(clock.elapsed(), 50) << "waited for the desktop or the editor";
                  }),
                  "");
        EXPECT_EQ(Recorded("editor.log"), document);
    }
    EXPECT_EQ(LineCount(user.Path("asked")), 1) << "the desktop was asked at every edit";
    EXPECT_TRUE(WaitUntil([] { return qApp->findChildren<QProcess*>().isEmpty(); }));
}

TEST_F(LauncherTest, ProgramsGetEachArgumentWholeAndNothingOfOurs) {
    const QString program = WriteRecordingScript(odd + "/recorder.sh", user.Path("run.log"));
    const QStringList arguments{"a b", "\"c\";d", "$(touch x)"};
    const auto launch = [&](const QString& what, const QStringList& with) {
        return Heard([&](LaunchDone done) { launcher.LaunchDetached(what, with, done); });
    };
    EXPECT_EQ(launch(program, arguments), "");
    EXPECT_EQ(Recorded("run.log"), arguments.join('|'));
    EXPECT_EQ(launch(user.Path("no-such-program"), {}), "No such file or directory");
    EXPECT_EQ(launch(QString(), {}), "No such file or directory");

    // Neither a descriptor this process left inheritable, nor the Qt platform it chose for
    // itself, nor the file-size signal its saves ignore; found on PATH.
    ASSERT_EQ(dup2(open("/dev/null", O_RDONLY), 57), 57);
    qunsetenv("QT_QPA_PLATFORM");
    SetOwnEnvironmentVariable("QT_QPA_PLATFORM", "xcb");
    const int file = open(QFile::encodeName(user.Path("saved")), O_WRONLY | O_CREAT, 0600);
    EXPECT_EQ(WriteAllAndSync(file, "x"), "");
    close(file);
    EXPECT_EQ(
        launch("sh", {"-c",
                      "exec \"$0\" \"${QT_QPA_PLATFORM-none}\" $(grep SigIgn /proc/$$/status) "
                      "$(ls /proc/$$/fd)",
                      program}),
        "");
    close(57);
    const QStringList seen = Recorded("run.log").split('|');
    EXPECT_EQ(seen.mid(0, 2), (QStringList{"none", "SigIgn:"}));
    // Signals 32 and 33 are the C library's, which nobody may reset; whoever started us chose.
    EXPECT_EQ(seen.value(2).toULongLong(nullptr, 16) & ~0x180000000ull, 0u)
        << seen.value(2).toStdString();
    EXPECT_TRUE(seen.contains("0") && seen.contains("1") && seen.contains("2"));
    EXPECT_FALSE(seen.contains("57"));
}
