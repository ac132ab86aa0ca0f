// The built program on headless sway with the wlr portal: a Wayland window's colour changes and
// the program counts, launches and saves; a DISPLAY beside it must not be read.
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

#include <csignal>

namespace {

// The first window on sway's 1280 x 720 output is tiled to its left half once the program's
// window opens; the size asked for only matters until then.
const QRect kWindow(0, 0, 640, 720);

// The shared watching event, at a point of this window, acting at its second detection.
CEventInfo WatchEvent(const QString& script) {
    CEventInfo event = WatchingEvent(script);
    event.m_ptLocation = QPoint(200, 300);
    event.m_nMaxCount = 2;
    event.m_nInterval = 200;
    return event;
}

QString RestoreToken(const UserFolders& folders) {
    return QSettings(folders.SettingsFilePath(), QSettings::IniFormat)
        .value(QStringLiteral("Settings/ScreenShareToken"))
        .toString();
}

} // namespace

TEST(WaylandEndToEndTest, ColourChangeOfANativeWindowIsDetectedCountedLaunchedAndSaved) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        << "run inside the Wayland session of scripts/wayland-session.sh";
    // sway draws its pointer into the shared pictures, wherever an earlier test left it: out of
    // the way of the watched point.
    ASSERT_EQ(QProcess::execute("swaymsg", {"seat", "-", "cursor", "set", "1279", "0"}), 0);
    UserFolders folders;
    qputenv("QT_QPA_PLATFORM", "wayland");
    ColourWindow watched(kWindow, kWatchedBlue);
    // The program chooses its platform itself, as when a user starts it.
    qunsetenv("QT_QPA_PLATFORM");

    const QString log = folders.Path("launched.log");
    const std::vector<CEventInfo> events{
        WatchEvent(WriteRecordingScript(folders.Path("a.sh"), log))};
    const QByteArray original = DataFileBytes(events);
    WriteFile(folders.DataFilePath(), original);

    ProgramRun run(folders);
    // The share is granted once the desktop hands over a token for later starts.
    ASSERT_TRUE(WaitUntil([&] { return !RestoreToken(folders).isEmpty(); }, 15000))
        << "the screen was not shared";
    // While the window stays blue, the event has nothing to act on: neither the first moments
    // without a picture nor the picture itself fire it.
    Settle(1500);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), original);
    EXPECT_FALSE(QFile::exists(log));

    ASSERT_TRUE(watched.SetColour(QStringLiteral("#e02020")));
    QList<int> counts;
    WaitUntil(
        [&] {
            const auto now = EventsOf(ReadFile(folders.DataFilePath()));
            if (!now || now->size() != 1)
                return false;
            if (counts.value(counts.size() - 1, 0) != now->front().m_nDetectCount)
                counts.append(now->front().m_nDetectCount);
            return now->front().m_nDetectCount >= 2;
        },
        10000);
    EXPECT_EQ(counts, (QList<int>{1, 2}));
    EXPECT_TRUE(WaitUntil([&] { return LineCount(log) >= 2; }));
    EXPECT_EQ(LineCount(log), 2);

    // The stream's thread and the portal session end with the program, cleanly.
    ::kill(static_cast<pid_t>(run.Pid()), SIGTERM);
    EXPECT_EQ(run.WaitForExit(), 0);
    const auto saved = EventsOf(ReadFile(folders.DataFilePath()));
    ASSERT_TRUE(saved && saved->size() == 1);
    EXPECT_EQ(saved->front().m_nDetectCount, 2);
    EXPECT_EQ(saved->front().m_bEnabled, 0);
}
