// Ticks due together: one read of the screen for the events that sample, then each tick's step
// with its own pixel, in order; and a count that cannot grow past the largest int.
#include "engine/detection_batch.h"
#include "engine/save_requests.h"
#include "engine/tone_workers.h"
#include "fakes/fake_event_list.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr COLORREF kSame = RGB(10, 20, 30);
constexpr COLORREF kOther = RGB(200, 0, 0);

// Records every batch read: the points asked for together.
class BatchScreen : public FakeScreen {
public:
    void GetPixels(std::span<const QPoint> points, std::span<COLORREF> out) override {
        batches.emplace_back(points.begin(), points.end());
        FakeScreen::GetPixels(points, out);
    }
    std::vector<std::vector<QPoint>> batches;
};

class DetectionBatchTest : public ::testing::Test {
protected:
    CEventInfo& Add(QPoint at, COLORREF onScreen, bool enabled = true) {
        CEventInfo event;
        event.m_bOnlySpecificColor = 0;
        event.m_clrMatch = kSame;
        event.m_ptLocation = at;
        event.m_nMaxCount = 100;
        event.m_bEnabled = enabled ? 1 : 0;
        event.m_bAudioAlert = 0;
        event.m_bExecute = 0;
        screen.pixels[{at.x(), at.y()}] = onScreen;
        return list.Add(event);
    }
    void Run(std::vector<std::uintptr_t> ids) { batch.Run(ids, list, timers, services); }

    BatchScreen screen;
    FakeEventList list;
    FakeTimerHost timers;
    FakeTone tone;
    ToneWorkers tones{tone};
    FakeLauncher launcher;
    SaveRequests saves{nullptr};
    DetectionServices services{screen, tones, launcher, saves};
    DetectionBatch batch;
};

} // namespace

TEST_F(DetectionBatchTest, OneReadForAllThenEachRowWithItsOwnPixelInTheOrderTheTicksCame) {
    Add({5, 5}, kOther);
    Add({6, 5}, kSame);
    Add({900, 700}, kOther);
    Add({7, 5}, kOther, false);
    Add({-3, 4}, kUnreadablePixel); // no reading: no detection
    Add({5, 5}, kOther);            // two events at one point
    list.scrolledTo.clear();
    // Id 9 names no row and 4 is disabled: neither is read.
    Run({3, 9, 1, 2, 4, 6, 5});

    ASSERT_EQ(screen.batches.size(), 1u);
    EXPECT_EQ(screen.batches[0],
              (std::vector<QPoint>{{900, 700}, {5, 5}, {6, 5}, {5, 5}, {-3, 4}}));
    std::vector<int> counts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        counts.push_back(list.GetItemData(row)->m_nDetectCount);
    EXPECT_EQ(counts, (std::vector<int>{1, 0, 1, 0, 0, 1}));
    // The detections refreshed their rows in the order of the ticks.
    EXPECT_EQ(list.scrolledTo, (std::vector<int>{2, 0, 5}));
}

TEST_F(DetectionBatchTest, AnEventMovedBeforeItsStepRunsIsReadAtItsNewPlace) {
    CEventInfo& first = Add({1, 1}, kOther);
    first.m_bExecute = 1;
    CEventInfo& second = Add({2, 2}, kOther);
    screen.pixels[{3, 3}] = kSame;
    launcher.onShellExecute = [&] { second.m_ptLocation = QPoint(3, 3); };
    Run({1, 2});
    EXPECT_EQ(first.m_nDetectCount, 1);
    EXPECT_EQ(second.m_nDetectCount, 0);
}

TEST_F(DetectionBatchTest, ACountAtTheLargestIntStaysThere) {
    // Wrapped to the smallest int, the count would fall below every maximum and never stop.
    for (const auto& [count, maxCount] :
         {std::pair{INT_MAX - 1, INT_MAX}, {INT_MAX, INT_MAX}, {INT_MAX, 7}}) {
        CEventInfo& event = Add({1, 1}, kOther);
        event.m_nDetectCount = count;
        event.m_nMaxCount = maxCount;
        Run({static_cast<std::uintptr_t>(list.GetItemCount())});
        EXPECT_EQ(event.m_nDetectCount, INT_MAX) << count << " of " << maxCount;
        EXPECT_EQ(event.m_bEnabled, 0) << count << " of " << maxCount;
    }
}
