// Launching with verbs: recording scripts and a handler given to Qt stand in for the programs
// and the desktop's opener. Real processes: no shell in between, no descriptor leaked, none left.
#include "platform/qt/desktop_launcher.h"
#include "support/processes.h"
#include "support/waiting.h"

#include <QDesktopServices>
#include <QStandardPaths>
#include <QUrl>
#include <gtest/gtest.h>

#include <fcntl.h>

namespace {

class LauncherTest : public QObject, public ::testing::Test {
    Q_OBJECT
protected:
    // Where Qt hands what the desktop's opener would get: written down as the scripts do.
    Q_INVOKABLE void OpenInDesktop(const QUrl& url) const {
        WriteFile(user.Path("opener.log"), url.toString().toUtf8() + "|\n");
    }
    void SetUp() override {
        QDir().mkpath(bin);
        QDir().mkpath(odd);
        for (const char* scheme : {"file", "https"})
            QDesktopServices::setUrlHandler(scheme, this, "OpenInDesktop");
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
    QDir::setCurrent(odd);
    const struct {
        const char* verb;
        QString file, log, expected; // expected empty: nothing may start
    } cases[] = {
        {"OpEn", program, "run.log", ""}, // an executable runs, with no arguments
        {"open", notes, "opener.log", QUrl::fromLocalFile(notes).toString()},
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
        EXPECT_EQ(launcher.ShellExecute(c.verb, c.file), !c.log.isEmpty());
        if (c.log.isEmpty())
            continue;
        const QString got = Recorded(c.log);
        EXPECT_EQ(c.log == "opener.log" ? QUrl(got).toString() : got, c.expected);
    }
    Settle(300);
    for (const char* log : {"run.log", "opener.log", "printer.log"})
        EXPECT_FALSE(QFile::exists(user.Path(log))) << log << " started by a refused verb";
}

TEST_F(LauncherTest, EditHandsThePathToTheDefaultEditorWithoutWaitingForTheDesktop) {
    // A slow answer, as a busy desktop gives: the launch must not wait for it.
    WriteFile(bin + "/xdg-mime", "#!/bin/sh\nsleep 0.5\n[ \"$*\" = 'query default text/plain' ] "
                                 "&& echo tintwatch-test-editor.desktop\n");
    QFile::setPermissions(bin + "/xdg-mime", QFile::permissions(bin + "/lp"));
    const QString editor = WriteRecordingScript(user.Path("my editor"), user.Path("editor.log"));
    const QString applications =
        QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    QDir().mkpath(applications);
    WriteFile(applications + "/tintwatch-test-editor.desktop",
              "[Desktop Entry]\nType=Application\nExec=\"" + QFile::encodeName(editor) + "\" %F\n");

    const QString document = odd + "/notes \"draft\" it's.txt";
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(launcher.ShellExecute("EDIT", document));
    EXPECT_LT(clock.elapsed(), 300) << "waited for the desktop's answer";
    EXPECT_EQ(Recorded("editor.log"), document);
    // The process that asked the desktop goes once it has answered, edit after edit.
    EXPECT_TRUE(WaitUntil([] { return qApp->findChildren<QProcess*>().isEmpty(); }));
}

TEST_F(LauncherTest, ProgramsGetEachArgumentWholeAndNoDescriptorOfOurs) {
    const QString program = WriteRecordingScript(odd + "/recorder.sh", user.Path("run.log"));
    const QStringList arguments{"a b", "\"c\";d", "$(touch x)"};
    EXPECT_TRUE(launcher.LaunchDetached(program, arguments));
    EXPECT_EQ(Recorded("run.log"), arguments.join('|'));
    for (const QString& missing :
         {user.Path("no-such-program"), QString("no-such-program"), QString()})
        EXPECT_FALSE(launcher.LaunchDetached(missing, {}));

    // A descriptor this process left inheritable must not reach the program; found on PATH.
    ASSERT_EQ(dup2(open("/dev/null", O_RDONLY), 57), 57);
    EXPECT_TRUE(launcher.LaunchDetached("sh", {"-c", "exec \"$0\" $(ls /proc/$$/fd)", program}));
    close(57);
    const QStringList open = Recorded("run.log").split('|');
    EXPECT_TRUE(open.contains("0") && open.contains("1") && open.contains("2"));
    EXPECT_FALSE(open.contains("57"));
}

#include "launcher_test.moc"
