// The built program on a real X display: a watched window changes colour and the program counts,
// launches, disables and saves; the close button; and the X server gone under it.
#include "support/private_xvfb.h"
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"
#include "support/x11_session.h"

#include <QSettings>
#include <gtest/gtest.h>

TEST(EndToEndTest, ColourChangeIsDetectedCountedLaunchedAndSaved) {
    UserFolders folders;
    ColourWindow watched(kWatchedArea, kWatchedBlue);
    const QString log = folders.Path("launched.log");
    CEventInfo event = WatchingEvent(WriteRecordingScript(folders.Path("launched.sh"), log));
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

    // The close button ends the program; the data file holds the last state.
    const QByteArray last = ReadFile(folders.DataFilePath());
    ASSERT_TRUE(SendCloseRequest(*frame));
    EXPECT_EQ(run.WaitForExit(), 0);
    EXPECT_EQ(ReadFile(folders.DataFilePath()), last);
    EXPECT_TRUE(QSettings(folders.SettingsFilePath(), QSettings::IniFormat)
                    .contains("Settings/LastLocation"));
}

// Qt ends the program at once when its X server goes, without its close handling: every
// detection it had counted and acted on must be in the data file all the same.
TEST(XServerLoss, EveryDetectionActedOnIsInTheDataFileAndTheGuardsActionRuns) {
    PrivateXvfb server;
    ASSERT_FALSE(server.Display().isEmpty()) << "Xvfb did not start";
    // For the programs started here; the tests' own display is named again afterwards.
    const struct Shared {
        QByteArray display = qgetenv("DISPLAY");
        ~Shared() { qputenv("DISPLAY", display); }
    } shared;
    qputenv("DISPLAY", server.Display().toLocal8Bit());
    UserFolders folders;
    const QString launches = folders.Path("launches.log");
    // Every event detects at every tick (the bare root is not this blue), so detections and saves
    // are always under way when the server goes; the one that launches counts them.
    CEventInfo launching =
        WatchingEvent(WriteRecordingScript(folders.Path("launched.sh"), launches));
    launching.m_ptLocation = QPoint(100, 100);
    launching.m_nMaxCount = 1000000;
    launching.m_nInterval = 50;
    CEventInfo busy = launching;
    busy.m_bExecute = 0;
    busy.m_nInterval = 10;
    std::vector<CEventInfo> events(19, busy);
    events.push_back(launching);
    ASSERT_TRUE(WriteFile(folders.DataFilePath(), DataFileBytes(events)));

    ProgramRun run(folders);
    ASSERT_TRUE(WaitUntil([&] { return LineCount(launches) >= 10; }, 30000)) << "no detections";
    server.Kill();
    EXPECT_TRUE(run.WaitForExit(5000)) << "the program did not end with its display";
    // The last launched scripts write their line shortly after.
    Settle(500);

    const auto saved = EventsOf(ReadFile(folders.DataFilePath()));
    ASSERT_TRUE(saved && saved->size() == events.size()) << "the data file is not whole";
    EXPECT_EQ(saved->back().m_nDetectCount, LineCount(launches));
}
