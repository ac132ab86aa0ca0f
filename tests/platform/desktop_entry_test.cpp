// Desktop entries: the Exec line split into one program and its arguments with the file always
// kept whole, and the desktop's https handler started with exactly the address, else the
// desktop's own opener.
#include "fakes/fake_platform.h"
#include "platform/browser/help_links.h"
#include "platform/browser/open_url.h"
#include "platform/qt/desktop_entry.h"
#include "platform/qt/desktop_launcher.h"
#include "support/processes.h"
#include "support/waiting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

TEST(DesktopExec, TheFileIsOneWholeArgumentWhateverTheLine) {
    const QString file = QStringLiteral("/home/u/my notes \"v2\" it's $HOME;rm -rf %f.txt");
    const struct {
        const char* exec;
        QStringList words; // the file goes where the placeholder `F` stands
    } cases[] = {
        {"gedit %U", {"gedit", "F"}},
        {"kate -b %f", {"kate", "-b", "F"}},
        {"ed --file=%F", {"ed", "--file=F"}},
        {"leafpad", {"leafpad", "F"}}, // no field code: the file goes last
        {R"("/opt/My Editor/bin/ed" --new  %u)", {"/opt/My Editor/bin/ed", "--new", "F"}},
        {R"("ed \"x\" \\ \$y" %f)", {R"(ed "x" \ $y)", "F"}},
        {"ed %i %c %k 100%% %f", {"ed", "100%", "F"}},
        {R"("ed %f)", {}},
        {"", {}},
        {" \t ", {}},
    };
    for (const auto& c : cases) {
        QStringList expected = c.words;
        for (QString& word : expected)
            word.replace(QLatin1Char('F'), file);
        EXPECT_EQ(ExpandDesktopExec(QString::fromUtf8(c.exec), file), expected) << c.exec;
    }
}

TEST(DesktopExec, ReadsTheMainGroupsExecWithStringEscapes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ed.desktop"));
    WriteFile(path, "[Desktop Action window]\nExec=wrong --window\n"
                    "[Desktop Entry]\nType=Application\nTryExec=wrong\nExecutable=wrong\n"
                    "Exec = /opt/my\\sed --tab\\t%f\\n\\r\\\\\\q\n"
                    "[Desktop Action other]\nExec=wrong again\n");
    EXPECT_EQ(ReadDesktopExec(path), QStringLiteral("/opt/my ed --tab\t%f\n\r\\\\q"));
    EXPECT_EQ(ReadDesktopExec(dir.filePath(QStringLiteral("missing.desktop"))), QString());
    for (const char* id : {"", "../../etc/passwd", "tintwatch-nothing-here.desktop"})
        EXPECT_EQ(FindDesktopEntry(QString::fromLatin1(id)), QString()) << id;
}

namespace {

// Starts programs for real but, like the fake, records the calls and never opens a page.
class RecordingRealLauncher : public FakeLauncher {
public:
    bool LaunchDetached(const QString& program, const QStringList& arguments) override {
        FakeLauncher::LaunchDetached(program, arguments);
        return m_real.LaunchDetached(program, arguments);
    }

private:
    DesktopLauncher m_real;
};

// The https handler is looked up in this test's own XDG folders only, never the machine's.
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_DATA_DIRS", QFile::encodeName(user.Path("home")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(user.Path("home")));
        for (const char* name : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "DESKTOP_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP"})
            qunsetenv(name);
        QDir().mkpath(qEnvironmentVariable("XDG_DATA_HOME") + "/applications");
        QFile::remove(entry);
        QFile::remove(choices);
    }
    void RegisterHandler(const QString& exec) {
        WriteFile(entry,
                  "[Desktop Entry]\nType=Application\nName=Fake\nExec=" + exec.toUtf8() + "\n");
        WriteFile(choices,
                  "[Default Applications]\nx-scheme-handler/https=fake-browser.desktop;\n");
    }

    const QString entry =
        qEnvironmentVariable("XDG_DATA_HOME") + "/applications/fake-browser.desktop";
    const QString choices = qEnvironmentVariable("XDG_CONFIG_HOME") + "/mimeapps.list";
    UserFolders user;
    const QString log = user.Path("browser.log");
    const QString url = "https://example.org/a b?q=\"x\"&y='z';$(touch pwned)`id`";
    RecordingRealLauncher launcher;
};

} // namespace

TEST_F(BrowserTest, HandlerGetsExactlyTheAddressWithNoShellAndLeavesNoZombie) {
    const QString browser = WriteRecordingScript(user.Path("browser"), log);
    RegisterHandler(browser + " --new-window %u");
    const QString folder = QDir::currentPath();
    QDir::setCurrent(user.Path("home"));
    OpenUrlInDefaultBrowser(launcher, url);
    EXPECT_EQ(launcher.calls, QStringList{"launch " + browser + " --new-window " + url});
    ASSERT_TRUE(WaitUntil([&] { return LineCount(log) == 1; }));
    EXPECT_EQ(ReadFile(log), "--new-window|" + url.toUtf8() + "|\n");
    EXPECT_FALSE(QFile::exists(user.Path("home/pwned"))); // no shell read the address
    QDir::setCurrent(folder);
    Settle(200);
    EXPECT_EQ(ZombieChildren(), 0);
}

TEST_F(BrowserTest, AnythingShortOfAStartedHandlerEndsAtTheDesktopOpener) {
    OpenUrlInDefaultBrowser(launcher, url); // none named
    EXPECT_EQ(launcher.calls, QStringList{"url " + url});

    // Executable, so the desktop names it, but its interpreter is missing: exec fails.
    const QString broken = user.Path("broken-browser");
    WriteFile(broken, "#!/nonexistent/interpreter\n");
    QFile::setPermissions(broken, QFile::permissions(broken) | QFileDevice::ExeOwner);
    RegisterHandler(broken + " %u");
    launcher.calls.clear();
    OpenUrlInDefaultBrowser(launcher, url);
    EXPECT_EQ(launcher.calls, (QStringList{"launch " + broken + ' ' + url, "url " + url}));

    // Named in mimeapps.list but not installed: straight to the opener.
    QFile::remove(entry);
    launcher.calls.clear();
    OpenUrlInDefaultBrowser(launcher, url);
    EXPECT_EQ(launcher.calls, QStringList{"url " + url});
}

TEST(HelpLinksTest, PagesAreShippedFiles) {
    for (const QString& address : {TutorialUrl(), WebsiteUrl()}) {
        const QUrl page(address);
        if (!page.isLocalFile())
            continue; // a build that names a web address for the home page
        EXPECT_TRUE(ReadFile(page.toLocalFile()).contains("Tintwatch")) << address.toStdString();
    }
    EXPECT_TRUE(TutorialUrl().endsWith("/tutorial.html"));
}
