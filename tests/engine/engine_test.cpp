// The detection step, ticks due together, the tone workers and the saves detections ask for,
// against fakes and the real document and data file.
#include "engine/detection.h"
#include "engine/detection_batch.h"
#include "engine/main_frame_pointer.h"
#include "engine/save_requests.h"
#include "engine/tone_workers.h"
#include "fakes/fake_event_list.h"
#include "fakes/fake_platform.h"
#include "model/data_file_io.h"
#include "model/tintwatch_doc.h"
#include "support/file_size_limit.h"
#include "support/recording_target.h"
#include "support/records.h"
#include "support/waiting.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

#include <climits>
#include <optional>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kRed = RGB(255, 0, 0);

// An event at (10, 20) that detects any colour but white, with no tone and no launch.
CEventInfo ChangeEvent(int maxCount) {
    CEventInfo event;
    event.m_bOnlySpecificColor = 0;
    event.m_clrMatch = kWhite;
    event.m_nMaxCount = maxCount;
    event.m_bAudioAlert = 0;
    event.m_bExecute = 0;
    event.m_ptLocation = QPoint(10, 20);
    return event;
}

class DetectionTest : public ::testing::Test {
protected:
    struct JournalTimers : FakeTimerHost {
        JournalTimers(QStringList& journal, ToneWorkers& tones) : j(journal), t(tones) {}
        void KillTimer(std::uintptr_t id) override {
            j << QStringLiteral("kill %1 tones %2").arg(id).arg(t.Sounding());
            FakeTimerHost::KillTimer(id);
        }
        QStringList& j;
        ToneWorkers& t;
    };

    void SetUp() override {
        frame.forward = [this](int id) {
            journal << QStringLiteral("command %1").arg(id);
            return true;
        };
        MainFramePointer() = &frame;
    }
    void TearDown() override {
        tone->Hold(false);
        QCoreApplication::sendPostedEvents();
        MainFramePointer() = nullptr;
    }

    bool Tick(std::uintptr_t id) {
        const bool handled =
            RunDetectionStep(id, list, timers, services) != TickOutcome::NotARowTimer;
        QCoreApplication::sendPostedEvents();
        return handled;
    }

    QStringList journal;
    FakeScreen screen;
    std::shared_ptr<FakeTone> tone = std::make_shared<FakeTone>();
    ToneWorkers tones{tone};
    FakeLauncher launcher;
    JournalTimers timers{journal, tones};
    FakeEventList list;
    RecordingTarget frame; // the main frame
    SaveRequests saves{&frame};
    DetectionServices services{screen, tones, launcher, saves};
};

TEST_F(DetectionTest, OneStepDetectsByItsModeCountsAndDisablesAtTheMaximum) {
    constexpr COLORREF kGreen = RGB(0, 255, 0), kNone = kUnreadablePixel;
    const struct {
        const char* what;
        int mode;
        COLORREF target, onScreen;
        int maxCount, stored;
        bool frame;
        int count;
        const char* shown; // the row's Enabled text once refreshed: empty without a detection
    } cases[] = {
        {"change mode, unchanged", 0, kRed, kWhite, 10, 0, true, 0, ""},
        {"target mode, changed but not to the target", 1, kRed, kGreen, 10, 0, true, 0, ""},
        {"target mode, the target", 1, kRed, kRed, 10, 0, true, 1, "Yes"},
        {"any mode but 1 is the change mode", 2, kRed, kGreen, 10, 0, true, 1, "Yes"},
        {"target mode, as an unreadable pick stored it", 1, kNone, kNone, 10, 0, true, 0, ""},
        {"maximum of zero", 0, kRed, kRed, 0, 0, true, 1, "No"},
        {"maximum of one", 0, kRed, kRed, 1, 0, true, 1, "No"},
        {"maximum already passed", 0, kRed, kRed, 5, 9, true, 10, "No"},
        {"no main frame: no save", 0, kRed, kRed, 10, 0, false, 1, "Yes"},
        // Wrapped to the smallest int, a count would fall below every maximum and never stop.
        {"at INT_MAX", 0, kRed, kRed, INT_MAX, INT_MAX, true, INT_MAX, "No"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CEventInfo source = ChangeEvent(c.maxCount);
        source.m_bOnlySpecificColor = c.mode;
        source.m_clrTarget = c.target;
        source.m_nDetectCount = c.stored;
        CEventInfo& event = list.Add(source);
        const int row = list.GetItemCount() - 1;
        screen.pixels[{10, 20}] = c.onScreen;
        MainFramePointer() = c.frame ? &frame : nullptr;
        const int saved = frame.Count(ID_FILE_SAVE);
        timers.SetTimer(row + 1, 1000);
        EXPECT_TRUE(Tick(row + 1));
        saves.RunQueued(); // a spaced save waiting for its turn
        const bool detected = *c.shown != 0, enabled = QString(c.shown) != "No";
        EXPECT_EQ(event.m_nDetectCount, c.count);
        EXPECT_EQ(frame.Count(ID_FILE_SAVE) - saved, detected && c.frame ? 1 : 0);
        EXPECT_EQ(event.m_bEnabled, enabled ? 1 : 0);
        EXPECT_EQ(timers.running.count(row + 1), enabled ? 1u : 0u);
        EXPECT_EQ(list.GetItemText(row, kColumnEnabled), c.shown);
    }
}

TEST_F(DetectionTest, AtTheMaximumActionsRunInTheirFixedOrder) {
    CEventInfo source = ChangeEvent(1);
    source.m_bAudioAlert = 1;
    source.m_nFrequency = 440;
    source.m_nDuration = 250;
    source.m_bExecute = 1;
    source.m_sCommand = QStringLiteral("Open");
    source.m_sFilePath = QStringLiteral("/tmp/a b.sh");
    list.Add(source);
    screen.background = kRed;
    launcher.onShellExecute = [this] { journal << launcher.calls.back(); };
    tone->Hold(true);
    Tick(1);
    ASSERT_TRUE(tone->WaitForBeeps(1));
    EXPECT_EQ(tone->Beeps().front(), std::make_pair(440u, 250u));
    EXPECT_EQ(list.GetItemText(0, kColumnCount), QStringLiteral("1 Detected Out of 1"));
    EXPECT_EQ(journal, QStringList({
                           "kill 1 tones 0",         // disabled and stopped first
                           "command 57603",          // tone started, then the save written
                           "kill 1 tones 1",         // the refresh leaves the timer stopped
                           "shell Open /tmp/a b.sh", // the launch comes last
                       }));
}

TEST_F(DetectionTest, TonesAreCappedButTheDetectionStands) {
    CEventInfo source = ChangeEvent(100);
    source.m_bAudioAlert = 1;
    CEventInfo& event = list.Add(source);
    screen.background = kRed;
    tone->Hold(true);
    for (int i = 0; i < ToneWorkers::kMaxSounding + 3; ++i)
        Tick(1);
    ASSERT_TRUE(tone->WaitForBeeps(ToneWorkers::kMaxSounding));
    EXPECT_EQ(tones.Sounding(), ToneWorkers::kMaxSounding);
    EXPECT_FALSE(tones.Start(440, 10)) << "beyond the cap";
    EXPECT_EQ(event.m_nDetectCount, ToneWorkers::kMaxSounding + 3);
    tone->Hold(false);
    EXPECT_TRUE(WaitUntil([&] { return tones.Sounding() == 0; }, 1000));
}

TEST_F(DetectionTest, TicksDueTogetherReadOnceThenStepEachRowWithItsOwnPixelInTickOrder) {
    const auto add = [&](QPoint at, COLORREF onScreen, bool enabled = true) -> CEventInfo& {
        CEventInfo event = ChangeEvent(100);
        event.m_ptLocation = at;
        event.m_bEnabled = enabled ? 1 : 0;
        screen.pixels[{at.x(), at.y()}] = onScreen;
        return list.Add(event);
    };
    add({5, 5}, kRed);
    add({6, 5}, kWhite);
    add({900, 700}, kRed);
    add({7, 5}, kRed, false);
    add({-3, 4}, kUnreadablePixel); // no reading: no detection
    add({5, 5}, kRed);              // two events at one point
    DetectionBatch batch;
    const auto run = [&](std::vector<std::uintptr_t> ids) {
        batch.Run(ids, list, timers, services);
    };
    // Id 9 names no row and 4 is disabled: neither is read.
    run({3, 9, 1, 2, 4, 6, 5});
    ASSERT_EQ(screen.batches.size(), 1u);
    EXPECT_EQ(screen.batches[0],
              (std::vector<QPoint>{{900, 700}, {5, 5}, {6, 5}, {5, 5}, {-3, 4}}));
    // Rows 0, 2 and 5 detected, and were refreshed in the order of their ticks.
    EXPECT_EQ(list.scrolledTo, (std::vector<int>{2, 0, 5}));

    // An event moved by an earlier step of the same batch is read at its new place; ticks run
    // while a batch runs (a launch's event loop delivering them) still step their rows.
    add({1, 1}, kRed).m_bExecute = 1;
    CEventInfo& moved = add({2, 2}, kRed);
    add({4, 4}, kRed);
    screen.pixels[{3, 3}] = kWhite;
    launcher.onShellExecute = [&] {
        moved.m_ptLocation = QPoint(3, 3);
        run({9});
    };
    run({7, 8});
    ASSERT_EQ(screen.batches.size(), 3u);
    EXPECT_EQ(screen.batches[1], (std::vector<QPoint>{{1, 1}, {2, 2}})) << "points read again";
    // The launching row and the nested one detected; the moved one did not.
    EXPECT_EQ(list.scrolledTo, (std::vector<int>{2, 0, 5, 6, 8}));
}

QString DataFile() {
    QString path;
    GetDataFilePath(path);
    return path;
}

// The first event of the data file as it is on the disk now.
CEventInfo StoredEvent() {
    return EventsOf(ReadWholeFile(DataFile()).value()).value().at(0);
}

// Detections saved by the real document to the data file.
class SavePolicyTest : public DetectionTest {
protected:
    void SetUp() override {
        DetectionTest::SetUp();
        QFile::remove(DataFile());
        doc.SetView(&list);
        frame.forward = [this](int id) { return doc.OnCommand(id); };
        doc.SetSaveNoteHandler([this](const QString& note) { notes << note; });
        screen.background = RGB(1, 2, 3); // differs from every event's colour: each tick detects
        ticking.callOnTimeout([this] { Tick(1); });
    }

    CEventInfo& AddEvent(int maxCount, bool launch) {
        CEventInfo event = ChangeEvent(maxCount);
        event.m_bExecute = launch ? 1 : 0;
        event.m_sComment = QString(12000, u'x'); // a file larger than the limit below
        return list.Add(event);
    }

    FakeMessageBox box;
    CTintwatchDoc doc{screen, box};
    QStringList notes;
    QTimer ticking; // a detection every 10 ms while it runs
};

TEST_F(SavePolicyTest, AtTheMaximumTheDisabledStateIsOnTheDiskBeforeTheLaunch) {
    CEventInfo& event = AddEvent(5, true);
    event.m_nDetectCount = 4;
    std::optional<CEventInfo> atLaunch;
    launcher.onShellExecute = [&] { atLaunch = StoredEvent(); };
    saves.SaveNow(); // a save just now, so a queued one would still wait
    Tick(1);
    ASSERT_TRUE(atLaunch);
    EXPECT_EQ(atLaunch->m_bEnabled, 0);
    EXPECT_EQ(atLaunch->m_nDetectCount, 5);

    // Below the maximum the launch waits for no save: the disk holds the state before it.
    event.m_bEnabled = 1;
    event.m_nMaxCount = 10;
    Tick(1);
    EXPECT_EQ(atLaunch->m_nDetectCount, 5);
}

TEST_F(SavePolicyTest, DetectionsCostAFewSavesAndARunOfFailedOnesOneBoxAndANote) {
    CEventInfo& event = AddEvent(100000, false);
    ticking.start(10);
    Settle(1000);
    ticking.stop();
    ASSERT_GE(event.m_nDetectCount, 60) << "the ticks did not come";
    // The last detection is on the disk one spacing later at the latest.
    Settle(static_cast<int>(SaveRequests::kDetectionSpacing.count()) + 50);
    EXPECT_GE(frame.Count(ID_FILE_SAVE), 3);
    EXPECT_LE(frame.Count(ID_FILE_SAVE), 6);
    EXPECT_EQ(StoredEvent().m_nDetectCount, event.m_nDetectCount);
    const QByteArray before = ReadWholeFile(DataFile()).value();

    // Detections go on while the box is open; a second box over it would be shown too.
    box.whileOpen = [] { Settle(600); };
    const int saved = frame.Count(ID_FILE_SAVE);
    ticking.start(10);
    {
        FileSizeLimit full(1000);
        Settle(1500);
    }
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_GE(frame.Count(ID_FILE_SAVE) - saved, 4) << "saves stopped being tried";
    EXPECT_EQ(ReadWholeFile(DataFile()).value(), before);
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_TRUE(notes.back().contains(DataFile()));

    // Room again: the next save goes through and the note goes.
    Settle(400);
    ticking.stop();
    EXPECT_EQ(notes.back(), QString());

    // A new run of failures is told of again.
    ticking.start(10);
    {
        FileSizeLimit full(1000);
        Settle(400);
    }
    ticking.stop();
    EXPECT_EQ(box.shown.size(), 2u);
}

} // namespace
