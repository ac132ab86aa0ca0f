// Numbered timers on a real event loop: delivery, replacement, clamping, killing.
#include "platform/qt/qt_timer_host.h"
#include "support/waiting.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class TimerHostTest : public ::testing::Test {
protected:
    void SetUp() override { clock.start(); }
    int Count(std::uintptr_t id) const {
        return static_cast<int>(std::count(ids.begin(), ids.end(), id));
    }

    QElapsedTimer clock;
    std::vector<std::uintptr_t> ids;
    std::vector<qint64> times;
    std::function<void(std::uintptr_t)> extra;
    QtTimerHost host{[this](std::uintptr_t id) {
        ids.push_back(id);
        times.push_back(clock.elapsed());
        if (extra)
            extra(id);
    }};
};

} // namespace

TEST_F(TimerHostTest, EachTimerDeliversItsOwnIdAtItsPeriod) {
    ASSERT_TRUE(host.SetTimer(1, 20));
    ASSERT_TRUE(host.SetTimer(7, 60));
    Settle(330);
    EXPECT_EQ(Count(1) + Count(7), static_cast<int>(ids.size()));
    EXPECT_GE(Count(1), 10);
    EXPECT_LE(Count(1), 17);
    EXPECT_GE(Count(7), 3);
    EXPECT_LE(Count(7), 6);
}

TEST_F(TimerHostTest, SettingAnIdAgainRestartsItsPeriodAndTakesTheNewOne) {
    ASSERT_TRUE(host.SetTimer(3, 200));
    Settle(150);
    ASSERT_TRUE(host.SetTimer(3, 200));
    Settle(300);
    ASSERT_FALSE(times.empty());
    // Had the first timer survived it would have fired at 200 ms.
    EXPECT_GE(times.front(), 150 + 190);

    ids.clear();
    ASSERT_TRUE(host.SetTimer(3, 5000));
    ASSERT_TRUE(host.SetTimer(3, 25));
    Settle(200);
    EXPECT_GE(Count(3), 4);
}

TEST_F(TimerHostTest, PeriodsAreClampedToTenMillisecondsAndToTheLargestInt) {
    ASSERT_TRUE(host.SetTimer(5, 0));
    Settle(300);
    // 10 ms apart: about 30, never the thousands of a zero-period timer.
    EXPECT_GE(Count(5), 15);
    EXPECT_LE(Count(5), 32);
    host.KillTimer(5);

    // Periods that do not fit an int must not wrap to a negative or tiny one.
    ids.clear();
    for (std::uint32_t period : {0xFFFFFFFFu, 0x80000000u, 0x80000001u})
        EXPECT_TRUE(host.SetTimer(period, period));
    Settle(150);
    EXPECT_TRUE(ids.empty());
}

TEST_F(TimerHostTest, KillingStopsTicksEvenFromInsideATick) {
    host.KillTimer(42); // harmless when nothing runs
    ASSERT_TRUE(host.SetTimer(2, 15));
    ASSERT_TRUE(host.SetTimer(4, 15));
    Settle(100);
    host.KillTimer(2);
    host.KillTimer(2);
    ids.clear();
    Settle(100);
    EXPECT_EQ(Count(2), 0);
    EXPECT_GT(Count(4), 0);
    host.KillTimer(4);

    // As a detection does: kill, then restart the same id, from inside its tick.
    ids.clear();
    int restarts = 0;
    extra = [&](std::uintptr_t id) {
        host.KillTimer(id);
        if (++restarts < 5)
            host.SetTimer(id, 15);
    };
    ASSERT_TRUE(host.SetTimer(6, 15));
    Settle(250);
    EXPECT_EQ(Count(6), 5);
}
