// Numbered timers on a real event loop: delivery, replacement, clamping, killing, volume.
#include "platform/qt/qt_timer_host.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace {

void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

class TimerHostTest : public ::testing::Test {
protected:
    struct Tick {
        std::uintptr_t id;
        qint64 atMs;
    };
    void SetUp() override { clock.start(); }
    std::map<std::uintptr_t, int> Counts() const {
        std::map<std::uintptr_t, int> counts;
        for (const Tick& tick : ticks)
            ++counts[tick.id];
        return counts;
    }

    QElapsedTimer clock;
    std::vector<Tick> ticks;
    std::function<void(std::uintptr_t)> extra;
    QtTimerHost host{[this](std::span<const std::uintptr_t> ids) {
        for (const std::uintptr_t id : ids) {
            ticks.push_back({id, clock.elapsed()});
            if (extra)
                extra(id);
        }
    }};
};

} // namespace

TEST_F(TimerHostTest, EachTimerDeliversItsOwnIdAtItsPeriod) {
    ASSERT_TRUE(host.SetTimer(1, 20));
    ASSERT_TRUE(host.SetTimer(7, 60));
    RunEventLoop(330);
    const auto counts = Counts();
    ASSERT_EQ(counts.size(), 2u);
    EXPECT_GE(counts.at(1), 10);
    EXPECT_LE(counts.at(1), 17);
    EXPECT_GE(counts.at(7), 3);
    EXPECT_LE(counts.at(7), 6);
}

TEST_F(TimerHostTest, SettingAnIdAgainRestartsItsPeriodAndTakesTheNewOne) {
    ASSERT_TRUE(host.SetTimer(3, 200));
    RunEventLoop(150);
    ASSERT_TRUE(host.SetTimer(3, 200));
    RunEventLoop(300);
    ASSERT_FALSE(ticks.empty());
    // Had the first timer survived it would have fired at 200 ms.
    EXPECT_GE(ticks.front().atMs, 150 + 190);

    ticks.clear();
    ASSERT_TRUE(host.SetTimer(3, 5000));
    ASSERT_TRUE(host.SetTimer(3, 25));
    RunEventLoop(200);
    EXPECT_GE(ticks.size(), 4u);
}

TEST_F(TimerHostTest, PeriodsAreClampedToTenMillisecondsAndToTheLargestInt) {
    ASSERT_TRUE(host.SetTimer(5, 0));
    RunEventLoop(300);
    // 10 ms apart: about 30, never the thousands of a zero-period timer.
    EXPECT_GE(Counts()[5], 15);
    EXPECT_LE(Counts()[5], 32);
    host.KillTimer(5);

    ticks.clear();
    // Periods that do not fit an int must not wrap to a negative or tiny one.
    EXPECT_TRUE(host.SetTimer(8, 0xFFFFFFFFu));
    EXPECT_TRUE(host.SetTimer(9, 0x80000000u));
    EXPECT_TRUE(host.SetTimer(10, 0x80000001u));
    RunEventLoop(150);
    EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerHostTest, KillingStopsTicksAndIsHarmlessWhenNothingRuns) {
    host.KillTimer(42);
    ASSERT_TRUE(host.SetTimer(2, 15));
    ASSERT_TRUE(host.SetTimer(4, 15));
    RunEventLoop(100);
    host.KillTimer(2);
    host.KillTimer(2);
    const std::size_t before = ticks.size();
    RunEventLoop(100);
    for (std::size_t i = before; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i].id, 4u);
    EXPECT_GT(ticks.size(), before);
}

TEST_F(TimerHostTest, ATickMayStopOrReplaceItsOwnTimer) {
    // As a detection does: kill, then restart the same id, from inside its tick.
    int restarts = 0;
    extra = [&](std::uintptr_t id) {
        host.KillTimer(id);
        if (++restarts < 5)
            host.SetTimer(id, 15);
    };
    ASSERT_TRUE(host.SetTimer(6, 15));
    RunEventLoop(250);
    EXPECT_EQ(Counts()[6], 5);
}

TEST_F(TimerHostTest, AThousandTimersAllTickAndEndWithTheirHost) {
    auto many = std::make_unique<QtTimerHost>([this](std::span<const std::uintptr_t> ids) {
        for (const std::uintptr_t id : ids)
            ticks.push_back({id, clock.elapsed()});
    });
    for (std::uintptr_t id = 1; id <= 1000; ++id)
        ASSERT_TRUE(many->SetTimer(id, 50));
    RunEventLoop(330);
    const auto counts = Counts();
    EXPECT_EQ(counts.size(), 1000u);
    for (const auto& [id, count] : counts)
        EXPECT_GE(count, 3) << "timer " << id;

    many.reset();
    ticks.clear();
    RunEventLoop(120);
    EXPECT_TRUE(ticks.empty());
}
