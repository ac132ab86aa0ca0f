// Desktop entries: the Exec line split into one program and its arguments with the file always
// kept whole, and the desktop's https handler found through them, else the desktop's opener.
#include "fakes/fake_platform.h"
#include "platform/browser/open_url.h"
#include "platform/qt/desktop_entry.h"
#include "support/processes.h"
#include "support/waiting.h"

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
        {"ed %i %c %k 100%% %f 5%", {"ed", "100%", "F", "5%"}},
        {R"("ed %f)", {}},
        {"", {}},
        {" \t ", {}},
    };
    for (const auto& c : cases) {
        QStringList expected = c.words;
        expected.replaceInStrings("F", file);
        EXPECT_EQ(ExpandDesktopExec(QString::fromUtf8(c.exec), file), expected) << c.exec;
    }
}

TEST(DesktopExec, ReadsTheMainGroupsExecWithStringEscapes) {
    UserFolders user;
    const QString path = user.Path("ed.desktop");
    WriteFile(path, "[Desktop Action window]\nExec=wrong --window\n"
                    "[Desktop Entry]\nType=Application\nTryExec=wrong\nExecutable=wrong\n"
                    "Exec = /opt/my\\sed --tab\\t%f\\n\\r\\\\\\q\\\n"
                    "[Desktop Action other]\nExec=wrong again\n");
    EXPECT_EQ(ReadDesktopExec(path), QStringLiteral("/opt/my ed --tab\t%f\n\r\\\\q\\"));
    EXPECT_EQ(ReadDesktopExec(user.Path("missing.desktop")), QString());
    for (const char* id : {"", "../../etc/passwd", "tintwatch-nothing-here.desktop"})
        EXPECT_EQ(FindDesktopEntry(QString::fromLatin1(id)), QString()) << id;
}

TEST(DefaultBrowser, AnythingShortOfAStartedHandlerEndsAtTheDesktopOpener) {
    // The handler is looked up in this test's own XDG folders only, never the machine's.
    UserFolders user;
    for (const char* name : {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        qputenv(name, QFile::encodeName(user.Path("home")));
    for (const char* name : {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "DESKTOP_SESSION",
                             "GNOME_DESKTOP_SESSION_ID", "XDG_SESSION_DESKTOP"})
        qunsetenv(name);
    const QString entry = qEnvironmentVariable("XDG_DATA_HOME") + "/applications/browser.desktop";
    const QString url = "https://example.org/a b?q=\"x\"&y='z';$(touch pwned)`id`";
    FakeLauncher launcher;
    // Each look-up answers later, on the event loop; the next one waits for it.
    const auto open = [&] {
        const qsizetype before = launcher.calls.size();
        OpenUrlInDefaultBrowser(launcher, url);
        EXPECT_TRUE(WaitUntil([&] { return launcher.calls.size() > before; }));
    };
    open(); // none named

    QDir().mkpath(QFileInfo(entry).path());
    WriteFile(entry, "[Desktop Entry]\nType=Application\nExec=/bin/true --new %u\n");
    WriteFile(qEnvironmentVariable("XDG_CONFIG_HOME") + "/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/https=browser.desktop;\n");
    open();
    launcher.failure = "No such file or directory"; // named, but it does not start
    open();
    QFile::remove(entry); // named in mimeapps.list but not installed
    open();
    const QString handler = "launch /bin/true --new " + url, opener = "url " + url;
    EXPECT_EQ(launcher.calls, (QStringList{opener, handler, handler, opener, opener}));
}
