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

static bool HasPlacement(const UserFolders& folders) {
    return QSettings(folders.SettingsFilePath(), QSettings::IniFormat)
        .contains("Settings/LastLocation");
}

TEST(EndToEndTest, ColourChangeIsDetectedCountedLaunchedAndSaved) {
    UserFolders folders;
    ColourWindow watched(QRect(1080, 820, 160, 160), QStringLiteral("#2040c0"));
    const QString log = folders.Path("launched.log");
    // Acts while the point differs from blue, every 300 ms, up to 3 times.
    CEventInfo event;
    event.m_ptLocation = QPoint(1120, 860);
    event.m_clrMatch = RGB(0x20, 0x40, 0xc0);
    event.m_bOnlySpecificColor = event.m_bAudioAlert = 0;
    event.m_nMaxCount = 3;
    event.m_nInterval = 300;
    event.m_sFilePath = WriteRecordingScript(folders.Path("launched.sh"), log);
    event.m_sComment = QStringLiteral("watched by the end-to-end test");
    const QByteArray original = DataFileBytes({event, NumberedEvent(2)}); // the second is off
    WriteFile(folders.DataFilePath(), original);

    ProgramRun run(folders);
    const auto frame = run.WaitForWindow();
    ASSERT_TRUE(frame) << "no main window";
    // While the point stays blue, there is nothing to act on.
    Settle(1000);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), original);
    EXPECT_FALSE(QFile::exists(log));

    ASSERT_TRUE(watched.SetColour(QStringLiteral("#e02020")));
    // Every detection rewrites the file: each count on the way up is seen in it.
    QList<int> counts{0};
    WaitUntil(
        [&] {
            const auto saved = EventsOf(ReadFile(folders.DataFilePath()));
            if (saved && saved->size() == 2 && (*saved)[0].m_nDetectCount != counts.last())
                counts.append((*saved)[0].m_nDetectCount);
            return counts.last() >= 3;
        },
        10000);
    EXPECT_EQ(counts, (QList<int>{0, 1, 2, 3}));
    // The maximum disables the event; nothing more is counted or launched afterwards.
    Settle(1000);
    const auto saved = EventsOf(ReadFile(folders.DataFilePath()));
    ASSERT_TRUE(saved && saved->size() == 2);
    event.m_nDetectCount = 3;
    event.m_bEnabled = 0;
    ExpectSameStoredFields((*saved)[0], event);
    ExpectSameStoredFields((*saved)[1], NumberedEvent(2));
    EXPECT_EQ(ReadFile(log), "\n\n\n") << "launched with arguments, or not three times";

    // A second start hands over to this one and ends at once, with no window of its own; this
    // one comes to the front. (Hiding and coming back need a window manager: restore_test.)
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
