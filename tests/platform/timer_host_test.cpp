// Numbered timers on a real event loop: clamping, replacement, killing; timers due together are
// handed over together, each once, so that one read of the screen serves them.
#include "platform/qt/qt_timer_host.h"
#include "support/waiting.h"

#include <gtest/gtest.h>

namespace {

class TimerHostTest : public ::testing::Test {
protected:
    int Ticks(std::uintptr_t id) const { return int(std::count(ids.begin(), ids.end(), id)); }
    std::vector<std::uintptr_t> ids;
    std::vector<std::vector<std::uintptr_t>> handOvers; // the ids of each hand-over
    std::function<void(std::uintptr_t)> extra;
    QtTimerHost host{[this](std::span<const std::uintptr_t> due) {
        handOvers.emplace_back(due.begin(), due.end());
        for (const std::uintptr_t id : due) {
            ids.push_back(id);
            if (extra)
                extra(id);
        }
    }};
};

} // namespace

TEST_F(TimerHostTest, EachTimerTicksWithItsIdAtItsClampedPeriod) {
    // Periods too large for an int must not wrap to a negative or tiny one; zero runs at 10 ms,
    // about 30 times, never the thousands of a zero-period timer. Each is its own id.
    const std::tuple<std::uint32_t, int, int> cases[] = {{20, 10, 17},       {60, 3, 6},
                                                         {0, 15, 34},        {0xFFFFFFFF, 0, 0},
                                                         {0x80000000, 0, 0}, {0x80000001, 0, 0}};
    for (const auto& c : cases)
        ASSERT_TRUE(host.SetTimer(std::get<0>(c), std::get<0>(c)));
    Settle(330);
    for (const auto& [period, low, high] : cases) {
        EXPECT_GE(Ticks(period), low) << period;
        EXPECT_LE(Ticks(period), high) << period;
    }
}

TEST_F(TimerHostTest, SettingAgainRestartsAndKillingStopsEvenFromInsideATick) {
    ASSERT_TRUE(host.SetTimer(3, 200));
    Settle(150);
    ASSERT_TRUE(host.SetTimer(3, 200)); // had the first survived, it would tick at 200 ms
    Settle(150);
    EXPECT_EQ(Ticks(3), 0);
    Settle(150);
    EXPECT_EQ(Ticks(3), 1);

    // As a detection does: kill, then restart the same id, from inside its tick.
    int restarts = 0;
    extra = [&](std::uintptr_t id) {
        host.KillTimer(id);
        if (id == 6 && ++restarts < 5)
            host.SetTimer(id, 15);
    };
    ASSERT_TRUE(host.SetTimer(6, 15));
    Settle(250);
    EXPECT_EQ(Ticks(6), 5);
    // A tick that fired but still waits for its hand-over goes with its timer.
    ASSERT_TRUE(host.SetTimer(8, 10));
    QThread::msleep(20);
    QCoreApplication::processEvents(); // it fires; the hand-over is due a moment later
    host.KillTimer(8);
    Settle(50);
    EXPECT_EQ(Ticks(8), 0);
}

TEST_F(TimerHostTest, TimersDueTogetherArriveInOneHandOverEachOnce) {
    constexpr std::uintptr_t kTimers = 300;
    // Periods above 20 ms are coarse: Qt lets those due within 5 % of each other fire together.
    for (std::uintptr_t id = 1; id <= kTimers; ++id)
        ASSERT_TRUE(host.SetTimer(id, 100));
    Settle(550);
    for (const auto& due : handOvers)
        EXPECT_EQ(std::set<std::uintptr_t>(due.begin(), due.end()).size(), due.size())
            << "an id twice in one hand-over";
    EXPECT_EQ(std::set<std::uintptr_t>(ids.begin(), ids.end()).size(), kTimers);
    EXPECT_GE(ids.size(), 4 * kTimers);
    // Started within a few milliseconds of each other, they fire in a few groups.
    EXPECT_LE(handOvers.size(), ids.size() / 20) << ids.size() << " ticks";
}
