// Saves as detections ask for them, against the real document and data file: a storm of
// detections costs a few saves, the state at the maximum is on the disk before the launch, and a
// disk that refuses the file is reported once for a whole run of failed saves.
#include "engine/detection.h"
#include "engine/main_frame_pointer.h"
#include "engine/save_requests.h"
#include "engine/tone_workers.h"
#include "fakes/fake_event_list.h"
#include "fakes/fake_platform.h"
#include "model/data_file_io.h"
#include "model/tintwatch_doc.h"
#include "support/file_size_limit.h"
#include "support/recording_target.h"
#include "support/waiting.h"

#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;

QString DataFile() {
    QString path;
    GetDataFilePath(path);
    return path;
}

// The first event of the data file as it is on the disk now.
CEventInfo StoredEvent(IScreen& screen, IMessageBox& box) {
    CTintwatchDoc stored(screen, box);
    stored.LoadFromBytes(ReadWholeFile(DataFile()));
    return stored.m_arrEvents.empty() ? CEventInfo() : stored.m_arrEvents.front();
}

// A message box that stays open for a while, its event loop running, as a real one does. One
// opened inside it is counted and closed at once.
class LingeringBox : public FakeMessageBox {
public:
    int MessageBox(QWidget* owner, const QString& text, MbButtons buttons, MbIcon icon) override {
        if (m_bOpen) {
            ++nested;
            return IDOK;
        }
        m_bOpen = true;
        Settle(openMs);
        m_bOpen = false;
        return FakeMessageBox::MessageBox(owner, text, buttons, icon);
    }
    int openMs = 0;
    int nested = 0;

private:
    bool m_bOpen = false;
};

class SavePolicyTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(DataFile());
        doc.SetView(&list);
        frame.forward = [this](int id) { return doc.OnCommand(id); };
        doc.SetSaveNoteHandler([this](const QString& note) { notes << note; });
        MainFramePointer() = &frame;
        screen.background = RGB(1, 2, 3); // differs from every event's colour: each tick detects
    }
    void TearDown() override { MainFramePointer() = nullptr; }

    CEventInfo& AddEvent(int maxCount, bool launch) {
        CEventInfo event;
        event.m_bOnlySpecificColor = 0;
        event.m_clrMatch = kWhite;
        event.m_nMaxCount = maxCount;
        event.m_bAudioAlert = 0;
        event.m_bExecute = launch ? 1 : 0;
        event.m_sComment = QString(12000, u'x'); // a file larger than the limit below
        return list.Add(event);
    }
    void Tick() { RunDetectionStep(1, list, timers, services); }

    FakeScreen screen;
    LingeringBox box;
    FakeEventList list;
    FakeTimerHost timers;
    FakeTone tone;
    ToneWorkers tones{tone};
    FakeLauncher launcher;
    CTintwatchDoc doc{screen, box};
    RecordingTarget frame; // the main frame, whose save command reaches the document
    SaveRequests saves{&frame};
    DetectionServices services{screen, tones, launcher, saves};
    QStringList notes;
};

} // namespace

TEST_F(SavePolicyTest, AHundredDetectionsInASecondCostAFewSavesAndTheFileEndsWithTheLastCount) {
    CEventInfo& event = AddEvent(1000, false);
    QTimer ticking;
    ticking.callOnTimeout([this] { Tick(); });
    ticking.start(10);
    Settle(1000);
    ticking.stop();
    const int detections = event.m_nDetectCount;
    ASSERT_GE(detections, 60) << "the ticks did not come";
    // The last detection is on the disk one spacing later at the latest.
    Settle(static_cast<int>(SaveRequests::kDetectionSpacing.count()) + 50);
    EXPECT_GE(frame.Count(ID_FILE_SAVE), 3);
    EXPECT_LE(frame.Count(ID_FILE_SAVE), 6);
    EXPECT_EQ(StoredEvent(screen, box).m_nDetectCount, detections);
}

TEST_F(SavePolicyTest, AtTheMaximumTheDisabledStateIsOnTheDiskBeforeTheLaunch) {
    const struct {
        const char* name;
        int countBefore, maxCount;
        int storedEnabled, storedCount; // on the disk as the launch starts
    } cases[] = {
        {"reaching the maximum", 4, 5, 0, 5},
        {"below it the launch waits for no save", 2, 5, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list = FakeEventList();
        AddEvent(c.maxCount, true).m_nDetectCount = c.countBefore;
        saves.SaveNow(); // a save just now, so a queued one would still wait
        std::optional<CEventInfo> atLaunch;
        launcher.onShellExecute = [&] { atLaunch = StoredEvent(screen, box); };
        Tick();
        ASSERT_TRUE(atLaunch);
        EXPECT_EQ(atLaunch->m_bEnabled, c.storedEnabled);
        EXPECT_EQ(atLaunch->m_nDetectCount, c.storedCount);
    }
}

TEST_F(SavePolicyTest, ARunOfFailedSavesShowsOneBoxAndANoteAndLeavesTheFileWhole) {
    AddEvent(100000, false);
    saves.SaveNow();
    const QByteArray before = ReadWholeFile(DataFile());
    ASSERT_GT(before.size(), 20000);
    box.openMs = 600; // detections go on while it is open
    QTimer ticking;
    ticking.callOnTimeout([this] { Tick(); });
    ticking.start(10);
    {
        FileSizeLimit full(1000);
        Settle(1500);
    }
    EXPECT_EQ(box.nested, 0);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_TRUE(box.shown[0].text.contains(DataFile()));
    EXPECT_GE(frame.Count(ID_FILE_SAVE), 4) << "saves stopped being tried";
    EXPECT_EQ(ReadWholeFile(DataFile()), before);
    ASSERT_FALSE(notes.isEmpty());
    EXPECT_TRUE(notes.back().contains(DataFile()));

    // Room again: the next save goes through and the note goes.
    Settle(400);
    ticking.stop();
    EXPECT_EQ(notes.back(), QString());
    Settle(static_cast<int>(SaveRequests::kDetectionSpacing.count()) + 50);
    EXPECT_EQ(StoredEvent(screen, box).m_nDetectCount, list.GetItemData(0)->m_nDetectCount);

    // A new run of failures is told of again.
    ticking.start(10);
    {
        FileSizeLimit full(1000);
        Settle(400);
    }
    ticking.stop();
    EXPECT_EQ(box.shown.size(), 2u);
}

TEST_F(SavePolicyTest, AWaitingSaveRunsAtOnceWhenTheQueueIsRunAndOnlyThen) {
    saves.SaveNow();
    const int saved = frame.Count(ID_FILE_SAVE);
    saves.RunQueued();                         // nothing waits: no save
    saves.Request(SaveRequests::Pace::Spaced); // too soon after the last: it waits
    EXPECT_EQ(frame.Count(ID_FILE_SAVE), saved);
    saves.RunQueued(); // as on the way out
    EXPECT_EQ(frame.Count(ID_FILE_SAVE), saved + 1);
    Settle(static_cast<int>(SaveRequests::kDetectionSpacing.count()) + 100);
    EXPECT_EQ(frame.Count(ID_FILE_SAVE), saved + 1) << "the waiting save ran a second time";
}
