// The Help pages never wait for the desktop to name its browser: with a desktop that takes
// two seconds to answer, the window goes on at once and the browser starts when the answer
// comes.
#include "fakes/fake_platform.h"
#include "platform/browser/open_url.h"
#include "support/waiting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, const QByteArray& text, bool executable = false) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

TEST(BrowserLookUp, ReturnsAtOnceAndTheBrowserStartsWhenTheDesktopAnswers) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir().mkpath(root.filePath("bin"));
    QDir().mkpath(root.filePath("data/applications"));
    WriteFile(root.filePath("bin/xdg-mime"), "#!/bin/sh\nsleep 2\necho slow-browser.desktop\n",
              true);
    WriteFile(root.filePath("data/applications/slow-browser.desktop"),
              "[Desktop Entry]\nType=Application\nName=Slow\nExec=/bin/true %u\n");
    qputenv("PATH", root.filePath("bin").toLocal8Bit() + ':' + qgetenv("PATH"));
    qputenv("XDG_DATA_HOME", root.filePath("data").toLocal8Bit());
    FakeLauncher launcher;
    const QString url = QStringLiteral("file:///usr/share/tintwatch/docs/tutorial.html");

    QElapsedTimer clock;
    clock.start();
    OpenUrlInDefaultBrowser(launcher, url);
    EXPECT_LT(clock.elapsed(), 500);

    ASSERT_TRUE(WaitUntil([&] { return !launcher.calls.isEmpty(); }, 6000));
    EXPECT_GE(clock.elapsed(), 1900);
    EXPECT_EQ(launcher.calls, QStringList{"launch /bin/true " + url});
}

} // namespace
