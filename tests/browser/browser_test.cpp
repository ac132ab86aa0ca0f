// Opening pages in the default browser: the desktop's https handler (found through a private
// set of XDG folders) gets exactly the address, and anything short of a started handler ends in
// the desktop's opener. Real processes, so also: nothing is left behind unreaped.
#include "fakes/fake_platform.h"
#include "platform/browser/help_links.h"
#include "platform/browser/open_url.h"
#include "platform/qt/desktop_launcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>
#include <unistd.h>

void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
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

// Children of this process that have ended but were never reaped.
int ZombieChildren() {
    int zombies = 0;
    const QString self = QString::number(getpid());
    for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
        QFile stat("/proc/" + pid + "/stat");
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so read after its ')'.
        const QString line = QString::fromLatin1(stat.readAll());
        const QStringList fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[0] == "Z" && fields[1] == self)
            ++zombies;
    }
    return zombies;
}

class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        for (const char* name : {"config", "data/applications", "sysconfig", "sysdata"})
            QDir().mkpath(root.filePath(name));
        SetEnv("XDG_CONFIG_HOME", root.filePath("config"));
        SetEnv("XDG_DATA_HOME", root.filePath("data"));
        SetEnv("XDG_CONFIG_DIRS", root.filePath("sysconfig"));
        SetEnv("XDG_DATA_DIRS", root.filePath("sysdata"));
        // The desktop-neutral lookup: mimeapps.list and desktop entries only.
        for (const char* name : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "DESKTOP_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP"})
            qunsetenv(name);
        record = root.filePath("browser got");
    }

    static void SetEnv(const char* name, const QString& value) {
        qputenv(name, value.toLocal8Bit());
    }

    // A browser that writes each argument it was given, one per line, then exits.
    QString WriteRecordingBrowser() {
        const QString script = root.filePath("fake-browser");
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\"\n"
                   "mv \"$0.tmp\" '" +
                   record.toLocal8Bit() + "'\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return script;
    }

    void RegisterHandler(const QString& exec) {
        WriteFile("data/applications/fake-browser.desktop",
                  "[Desktop Entry]\nType=Application\nName=Fake\nExec=" + exec + "\n");
        WriteFile("config/mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/https=fake-browser.desktop;\n");
    }

    void WriteFile(const QString& relative, const QString& text) {
        QFile file(root.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }

    QStringList RecordedArguments() {
        QFile file(record);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir root;
    QString record;
    const QString url = "https://example.org/a b?q=\"x\"&y='z';$(touch pwned)`id`";
};

TEST_F(BrowserTest, HandlerReceivesExactlyTheAddressAndLeavesNoZombie) {
    const QString script = WriteRecordingBrowser();
    RegisterHandler(script + " %u");
    RecordingRealLauncher launcher;

    OpenUrlInDefaultBrowser(launcher, url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.calls.isEmpty(); }, 5000));

    EXPECT_EQ(launcher.calls, QStringList{"launch " + script + ' ' + url});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(record); }, 5000));
    EXPECT_EQ(RecordedArguments(), QStringList{url});
    EXPECT_FALSE(QFileInfo::exists(root.filePath("pwned"))); // no shell read the address
    // The handler has ended by now (it wrote its record last); give the kernel a moment.
    QTest::qWait(200);
    EXPECT_EQ(ZombieChildren(), 0);
}

TEST_F(BrowserTest, HandlerWithoutFieldCodeGetsTheAddressLast) {
    const QString script = WriteRecordingBrowser();
    RegisterHandler(script + " --new-window");
    RecordingRealLauncher launcher;

    OpenUrlInDefaultBrowser(launcher, url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.calls.isEmpty(); }, 5000));

    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(record); }, 5000));
    EXPECT_EQ(RecordedArguments(), (QStringList{"--new-window", url}));
}

TEST_F(BrowserTest, WithoutAHandlerTheDesktopOpenerGetsTheAddress) {
    RecordingRealLauncher launcher;
    OpenUrlInDefaultBrowser(launcher, url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.calls.isEmpty(); }, 5000));
    EXPECT_EQ(launcher.calls, QStringList{"url " + url});
}

TEST_F(BrowserTest, HandlerThatCannotStartFallsBackToTheDesktopOpener) {
    // Executable, so the desktop names it, but its interpreter is missing: exec fails.
    const QString broken = root.filePath("broken-browser");
    WriteFile("broken-browser", "#!/nonexistent/interpreter\n");
    QFile::setPermissions(broken, QFile::permissions(broken) | QFileDevice::ExeOwner);
    RegisterHandler(broken + " %u");
    RecordingRealLauncher launcher;
    OpenUrlInDefaultBrowser(launcher, url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.calls.isEmpty(); }, 5000));
    EXPECT_EQ(launcher.calls, (QStringList{"launch " + broken + ' ' + url, "url " + url}));

    // Named in mimeapps.list but not installed: straight to the opener.
    QFile::remove(root.filePath("data/applications/fake-browser.desktop"));
    launcher.calls.clear();
    OpenUrlInDefaultBrowser(launcher, url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.calls.isEmpty(); }, 5000));
    EXPECT_EQ(launcher.calls, QStringList{"url " + url});
}

TEST_F(BrowserTest, FailuresStaySilentEvenWhenTheOpenerFailsToo) {
    RegisterHandler("/bin/true %u");
    FakeLauncher launcher;
    launcher.launchResult = false; // neither the handler nor the opener starts
    OpenUrlInDefaultBrowser(launcher, url);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !launcher.calls.isEmpty(); }, 5000));
    EXPECT_EQ(launcher.calls, (QStringList{"launch /bin/true " + url, "url " + url}));
}

TEST(HelpLinksTest, PagesAreShippedFilesAndTheCaptionNamesTheHomePage) {
    for (const QString& address : {TutorialUrl(), WebsiteUrl()}) {
        SCOPED_TRACE(address.toStdString());
        const QUrl page(address);
        if (!page.isLocalFile())
            continue; // a build that names a web address for the home page
        QFile file(page.toLocalFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains("Tintwatch"));
    }
    EXPECT_TRUE(TutorialUrl().endsWith("/tutorial.html"));
    EXPECT_EQ(WebsiteCaption(), "Tintwatch Home Page...");
}

} // namespace
