// The X server ends under the running program (a crash, a log-out that kills it): Qt ends the
// program at once, without its close handling. Every detection it had counted, and acted on,
// must be in the data file all the same; and the guard's last-moment action runs, as a bare
// Qt program with only that guard shows.
#include "support/private_xvfb.h"
#include "support/processes.h"
#include "support/records.h"
#include "support/waiting.h"

#include <gtest/gtest.h>

TEST(XServerLoss, EveryDetectionActedOnIsInTheDataFileAndTheGuardsActionRuns) {
    PrivateXvfb server;
    ASSERT_FALSE(server.Display().isEmpty()) << "Xvfb did not start";
    qputenv("DISPLAY", server.Display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    UserFolders folders;
    const QString launches = folders.Path("launches.log"), written = folders.Path("written");
    // Every event detects on every tick (nothing on the bare root is this blue), so the loop
    // is always busy with detections and their saves when the server goes; one of them also
    // launches, and so tells how many detections the program acted on.
    CEventInfo busy;
    busy.m_ptLocation = QPoint(100, 100);
    busy.m_clrMatch = RGB(0x20, 0x40, 0xc0);
    busy.m_bOnlySpecificColor = busy.m_bAudioAlert = busy.m_bExecute = 0;
    busy.m_nMaxCount = 1000000;
    busy.m_nInterval = 10;
    std::vector<CEventInfo> events(20, busy);
    CEventInfo& launching = events.back();
    launching.m_nInterval = 50;
    launching.m_bExecute = 1;
    launching.m_sCommand = QStringLiteral("open");
    launching.m_sFilePath = WriteRecordingScript(folders.Path("launched.sh"), launches);
    ASSERT_TRUE(WriteFile(folders.DataFilePath(), DataFileBytes(events)));

    ProgramRun run(folders);
    QProcess probe;
    probe.start(QStringLiteral(UNPLANNED_EXIT_PROBE), {written});
    ASSERT_TRUE(WaitUntil([&] { return probe.readAllStandardOutput().contains("ready"); }));
    ASSERT_TRUE(WaitUntil([&] { return LineCount(launches) >= 10; }, 10000)) << "no detections";
    server.Kill();
    EXPECT_TRUE(run.WaitForExit(5000)) << "the program did not end with its display";
    ASSERT_TRUE(probe.waitForFinished(5000));
    EXPECT_EQ(probe.exitCode(), 1) << "Qt ends the program itself";
    EXPECT_EQ(ReadFile(written), QByteArray("written at the end"));
    // The last launched scripts write their line shortly after.
    Settle(500);

    const auto saved = EventsOf(ReadFile(folders.DataFilePath()));
    ASSERT_TRUE(saved && saved->size() == events.size()) << "the data file is not whole";
    EXPECT_EQ(saved->back().m_nDetectCount, LineCount(launches));
}
