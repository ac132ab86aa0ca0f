// The built program as a user runs it, on a real X display: a window of one colour is watched,
// its colour changes, and the program counts, launches, disables and saves; later starts,
// damaged files, the close button and SIGTERM.
#include "program_under_test.h"

#include <QFile>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QRect kWatched(1080, 820, 160, 160);
const QString kBlue = QStringLiteral("#2040c0");
const QString kRed = QStringLiteral("#e02020");

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
    ColourWindow watched(kWatched, kBlue);
    const QString changeLog = folders.Path("change.log");
    const QString targetLog = folders.Path("target.log");
    // Change mode: acts while the point differs from blue, up to 3 times. Target mode: acts
    // while the point shows red, up to 2 times.
    const std::vector<CEventInfo> events{
        WatchEvent({1120, 860}, 0, 3, 300,
                   WriteRecordingScript(folders.Path("change.sh"), changeLog)),
        WatchEvent({1200, 940}, 1, 2, 400,
                   WriteRecordingScript(folders.Path("target.sh"), targetLog)),
    };
    const QByteArray original = DataFileBytes(events);
    WriteFile(folders.DataFilePath(), original);

    ProgramRun run(folders);
    const auto frame = run.WaitForWindow();
    ASSERT_TRUE(frame) << "no main window";

    // While the point stays blue, neither event has anything to act on.
    QTest::qWait(1000);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), original);
    EXPECT_FALSE(QFile::exists(changeLog));
    EXPECT_FALSE(QFile::exists(targetLog));

    ASSERT_TRUE(watched.SetColour(kRed));
    // Every detection rewrites the file: each count on the way up is seen in it.
    QList<int> changeCounts, targetCounts;
    std::vector<CEventInfo> saved;
    WaitFor(
        [&] {
            const auto now = EventsOf(ReadFile(folders.DataFilePath()));
            if (!now || now->size() != 2)
                return false;
            saved = *now;
            if (changeCounts.value(changeCounts.size() - 1, 0) != saved[0].m_nDetectCount)
                changeCounts.append(saved[0].m_nDetectCount);
            if (targetCounts.value(targetCounts.size() - 1, 0) != saved[1].m_nDetectCount)
                targetCounts.append(saved[1].m_nDetectCount);
            return saved[0].m_nDetectCount >= 3 && saved[1].m_nDetectCount >= 2;
        },
        10000);
    EXPECT_EQ(changeCounts, (QList<int>{1, 2, 3}));
    EXPECT_EQ(targetCounts, (QList<int>{1, 2}));

    // The maximum disables each event; nothing more is counted or launched afterwards.
    QTest::qWait(1200);
    saved = EventsOf(ReadFile(folders.DataFilePath())).value_or(std::vector<CEventInfo>{});
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].m_nDetectCount, 3);
    EXPECT_EQ(saved[0].m_bEnabled, 0);
    EXPECT_EQ(saved[1].m_nDetectCount, 2);
    EXPECT_EQ(saved[1].m_bEnabled, 0);
    EXPECT_EQ(saved[0].m_sFilePath, events[0].m_sFilePath);
    EXPECT_EQ(saved[1].m_sComment, events[1].m_sComment);
    EXPECT_TRUE(WaitFor([&] { return LineCount(changeLog) >= 3 && LineCount(targetLog) >= 2; }));
    EXPECT_EQ(LineCount(changeLog), 3);
    EXPECT_EQ(LineCount(targetLog), 2);

    // A second start hands over to this one and ends at once, with no window of its own; this
    // one comes to the front. (Hiding and coming back need a window manager: restore_test.)
    {
        ProgramRun second(folders);
        EXPECT_EQ(second.WaitForExit(5000), 0);
    }
    EXPECT_TRUE(WaitFor([&] { return VisibleWindows(run.Pid(), "^Tintwatch$") == QList{*frame}; }))
        << "the running window did not come back";
    EXPECT_TRUE(WaitFor([&] { return FocusedWindow() == *frame; }));

    // The close button ends the program; the data file holds the last state.
    const QByteArray last = ReadFile(folders.DataFilePath());
    ASSERT_TRUE(SendCloseRequest(*frame));
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), last);
    EXPECT_TRUE(HasPlacement(folders));
}

TEST(EndToEndTest, DamagedFileIsKeptAsBadAndSigtermClosesCleanly) {
    UserFolders folders;
    const CEventInfo first = WatchEvent({10, 10}, 0, 5, 60000, QString());
    const CEventInfo second = WatchEvent({20, 20}, 0, 5, 60000, QString());
    // The second record is cut inside its integers, 30 bytes in.
    const QByteArray oneRecord = DataFileBytes({first});
    QByteArray damaged = DataFileBytes({first, second}).left(oneRecord.size() + 30);
    WriteFile(folders.DataFilePath(), damaged);

    ProgramRun run(folders);
    // The load message comes first, on its own; closing it lets start-up go on.
    const auto box = run.WaitForWindow();
    ASSERT_TRUE(box);
    ASSERT_TRUE(FocusWindow(*box));
    ASSERT_TRUE(PressKeys(QStringLiteral("Escape")));
    ASSERT_TRUE(WaitFor([&] {
        const auto windows = VisibleWindows(run.Pid(), "^Tintwatch$");
        return windows.size() == 1 && windows.front() != *box;
    })) << "no main window after the message";
    EXPECT_EQ(ReadFile(folders.DataFilePath() + ".bad"), damaged);

    // The one complete record was loaded: nothing asks for a new event, nothing is saved.
    QTest::qWait(500);
    EXPECT_EQ(VisibleWindows(run.Pid(), ".").size(), 1);

    ::kill(static_cast<pid_t>(run.Pid()), SIGTERM);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_TRUE(HasPlacement(folders));
    EXPECT_EQ(ReadFile(folders.DataFilePath() + ".bad"), damaged);
}

TEST(EndToEndTest, SigtermWhileAMessageIsUpStillClosesCleanly) {
    UserFolders folders;
    // No data file: start-up opens the editor for a first event at once.
    ProgramRun run(folders);
    ASSERT_TRUE(run.WaitForWindow());
    ASSERT_TRUE(WaitFor([&] { return VisibleWindows(run.Pid(), ".").size() >= 2; }))
        << "the editor for a first event did not open";
    ::kill(static_cast<pid_t>(run.Pid()), SIGTERM);
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_TRUE(HasPlacement(folders));
}
