// The built program as a user runs it, on a real X display: a window of one colour is watched,
// its colour changes, and the program counts, launches, disables and saves; a second start, the
// close button, and SIGTERM while the editor is open.
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

#include <csignal>

namespace {

CEventInfo WatchEvent(QPoint at, int targetMode, int maxCount, int interval, QString script) {
    CEventInfo event;
    event.m_ptLocation = at;
    event.m_clrMatch = RGB(0x20, 0x40, 0xc0);
    event.m_clrTarget = RGB(0xe0, 0x20, 0x20);
    event.m_bOnlySpecificColor = targetMode;
    event.m_nMaxCount = maxCount;
    event.m_nInterval = interval;
    event.m_bAudioAlert = 0;
    event.m_sCommand = QStringLiteral("open");
    event.m_sFilePath = std::move(script);
    event.m_sComment = QStringLiteral("watched by the end-to-end test");
    return event;
}

bool HasPlacement(const UserFolders& folders) {
    QSettings settings(folders.SettingsFilePath(), QSettings::IniFormat);
    return !settings.value(QStringLiteral("Settings/LastLocation")).toByteArray().isEmpty();
}

} // namespace

TEST(EndToEndTest, ColourChangeIsDetectedCountedLaunchedAndSaved) {
    UserFolders folders;
    ColourWindow watched(QRect(1080, 820, 160, 160), QStringLiteral("#2040c0"));
    const QString changeLog = folders.Path("change.log"), targetLog = folders.Path("target.log");
    // Change mode: acts while the point differs from blue, up to 3 times. Target mode: acts
    // while the point shows red, up to 2 times.
    std::vector<CEventInfo> events{
        WatchEvent({1120, 860}, 0, 3, 300, WriteRecordingScript(folders.Path("c.sh"), changeLog)),
        WatchEvent({1200, 940}, 1, 2, 400, WriteRecordingScript(folders.Path("t.sh"), targetLog)),
    };
    const QByteArray original = DataFileBytes(events);
    WriteFile(folders.DataFilePath(), original);

    ProgramRun run(folders);
    const auto frame = run.WaitForWindow();
    ASSERT_TRUE(frame) << "no main window";
    // While the point stays blue, neither event has anything to act on.
    Settle(1000);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), original);
    EXPECT_FALSE(QFile::exists(changeLog) || QFile::exists(targetLog));

    ASSERT_TRUE(watched.SetColour(QStringLiteral("#e02020")));
    // Every detection rewrites the file: each count on the way up is seen in it.
    QList<int> changeCounts{0}, targetCounts{0};
    WaitUntil(
        [&] {
            const auto saved = EventsOf(ReadFile(folders.DataFilePath()));
            if (!saved || saved->size() != 2)
                return false;
            if (changeCounts.last() != (*saved)[0].m_nDetectCount)
                changeCounts.append((*saved)[0].m_nDetectCount);
            if (targetCounts.last() != (*saved)[1].m_nDetectCount)
                targetCounts.append((*saved)[1].m_nDetectCount);
            return changeCounts.last() >= 3 && targetCounts.last() >= 2;
        },
        10000);
    EXPECT_EQ(changeCounts, (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(targetCounts, (QList<int>{0, 1, 2}));

    // The maximum disables each event; nothing more is counted or launched afterwards.
    Settle(1200);
    auto saved = EventsOf(ReadFile(folders.DataFilePath())).value_or(std::vector<CEventInfo>{});
    ASSERT_EQ(saved.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        events[i].m_nDetectCount = static_cast<int>(3 - i);
        events[i].m_bEnabled = 0;
        ExpectSameStoredFields(saved[i], events[i]);
    }
    EXPECT_TRUE(WaitUntil([&] { return LineCount(changeLog) >= 3 && LineCount(targetLog) >= 2; }));
    Settle(300);
    EXPECT_EQ(ReadFile(changeLog), "\n\n\n") << "launched with arguments, or too often";
    EXPECT_EQ(LineCount(targetLog), 2);

    // A second start hands over to this one and ends at once, with no window of its own; this
    // one comes back from the notification area, in front.
    ASSERT_TRUE(Xdotool({"windowfocus", "--sync", QString::number(*frame)}));
    ASSERT_TRUE(Xdotool({"key", "alt+n"}));
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindows(run.Pid(), "^Tintwatch$").isEmpty(); }))
        << "the window did not hide";
    EXPECT_EQ(ProgramRun(folders).WaitForExit(5000), 0);
    EXPECT_TRUE(WaitUntil([&] {
        return VisibleWindows(run.Pid(), "^Tintwatch$") == QList{*frame};
    })) << "the running window did not come back";
    EXPECT_TRUE(WaitUntil([&] { return FocusedWindow() == *frame; }));

    // The close button ends the program; the data file holds the last state.
    const QByteArray last = ReadFile(folders.DataFilePath());
    ASSERT_TRUE(SendCloseRequest(*frame));
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), last);
    EXPECT_TRUE(HasPlacement(folders));
}

TEST(EndToEndTest, SigtermWhileTheEditorIsOpenStillClosesCleanly) {
    UserFolders folders;
    // No data file: start-up opens the editor for a first event at once.
    ProgramRun run(folders);
    ASSERT_TRUE(run.WaitForWindow());
    ASSERT_TRUE(WaitUntil([&] { return VisibleWindows(run.Pid(), ".").size() >= 2; }))
        << "the editor for a first event did not open";
    ::kill(static_cast<pid_t>(run.Pid()), SIGTERM);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_TRUE(HasPlacement(folders));
}
