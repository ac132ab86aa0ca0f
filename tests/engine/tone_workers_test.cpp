// Tone workers against a fake tone that sounds until it is released or told to stop, as a
// long tone does.
#include "engine/tone_workers.h"
#include "fakes/fake_platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

TEST(ToneWorkers, GoingAwayStopsEverySoundingToneAndWaitsForItsWorker) {
    FakeTone tone; // outlives the workers, which must not touch it once they are gone
    tone.Hold(true);
    std::optional<ToneWorkers> workers(std::in_place, tone);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(workers->Start(440, 5000));
    ASSERT_TRUE(tone.WaitForBeeps(3));

    const auto start = Clock::now();
    workers.reset();
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(200));
    EXPECT_EQ(tone.Sounding(), 0);
    tone.Hold(false);
}

} // namespace
