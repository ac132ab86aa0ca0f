// Timers that come due together are handed over together, each once, so that their owner can
// serve them with one read of the screen.
#include "platform/qt/qt_timer_host.h"

#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <set>
#include <vector>

TEST(TimerHandOver, TimersDueTogetherArriveInOneHandOverEachOnce) {
    constexpr std::uintptr_t kTimers = 300;
    std::vector<std::vector<std::uintptr_t>> handOvers;
    QtTimerHost host([&](std::span<const std::uintptr_t> ids) {
        handOvers.emplace_back(ids.begin(), ids.end());
    });
    // Periods above 20 ms are coarse: Qt lets those due within 5 % of each other fire together.
    for (std::uintptr_t id = 1; id <= kTimers; ++id)
        ASSERT_TRUE(host.SetTimer(id, 100));
    QEventLoop loop;
    QTimer::singleShot(550, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();

    std::set<std::uintptr_t> ticked;
    std::size_t ticks = 0;
    for (const auto& ids : handOvers) {
        EXPECT_EQ(std::set<std::uintptr_t>(ids.begin(), ids.end()).size(), ids.size())
            << "an id twice in one hand-over";
        ticked.insert(ids.begin(), ids.end());
        ticks += ids.size();
    }
    EXPECT_EQ(ticked.size(), kTimers);
    EXPECT_GE(ticks, 4 * kTimers);
    // Started within a few milliseconds of each other, they fire in a few groups.
    EXPECT_LE(handOvers.size(), ticks / 20) << ticks << " ticks";
}
