#include "devices/LightCadence.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace ravo {
namespace {

using Clock = LightCadence::Clock;
using effects::LightPacing;
using effects::ModePacing;

LightPacing Interval(uint8_t ticks, bool still = false) {
    return LightPacing{ModePacing::Interval, ticks, still};
}

// Wakes exactly when asked; returns the times of the steps over `span`.
std::vector<Clock::duration> StepTimes(const LightPacing& pacing, Clock::duration span,
                                       int* wakeUps = nullptr) {
    const Clock::time_point t0{};
    LightCadence cadence(t0);
    std::vector<Clock::duration> steps;
    Clock::time_point now = t0 + LightCadence::kTick;
    int wakes = 0;
    while (now - t0 <= span) {
        ++wakes;
        const LightCadence::Pass pass = cadence.Advance(now, pacing);
        for (unsigned i = 0; i < pass.steps; ++i) {
            steps.push_back(now - t0);
        }
        EXPECT_GT(pass.next, now);
        now = pass.next;
    }
    if (wakeUps) {
        *wakeUps = wakes;
    }
    return steps;
}

TEST(LightCadence, StepsEveryIntervalOfTwoMillisecondTicks) {
    struct Case {
        uint8_t interval;
        Clock::duration period;
    };
    for (const Case& c : {Case{1, 2ms}, Case{2, 4ms}, Case{5, 10ms}, Case{0, 2ms}}) {
        SCOPED_TRACE(int(c.interval));
        int wakeUps = 0;
        const auto steps = StepTimes(Interval(c.interval), 1s, &wakeUps);
        ASSERT_GE(steps.size(), 2u);
        for (size_t i = 1; i < steps.size(); ++i) {
            ASSERT_EQ(steps[i] - steps[i - 1], c.period);
        }
        // No wake-up without a step, but for the first tick.
        EXPECT_LE(wakeUps, static_cast<int>(steps.size()) + 1);
    }
}

TEST(LightCadence, StillModesSleepLong) {
    int wakeUps = 0;
    const auto steps = StepTimes(Interval(1, true), 1s, &wakeUps);
    EXPECT_LE(wakeUps, 5);
    EXPECT_EQ(steps.size(), static_cast<size_t>(wakeUps));
}

TEST(LightCadence, PlayerRunsEveryTickInBatches) {
    const Clock::time_point t0{};
    LightCadence cadence(t0);
    const LightPacing player{ModePacing::Player, 5, false};
    LightCadence::Pass pass = cadence.Advance(t0 + 2ms, player);
    EXPECT_EQ(pass.ticks, 1u);
    EXPECT_EQ(pass.steps, 0u);
    EXPECT_EQ(pass.next, t0 + 12ms);
    pass = cadence.Advance(pass.next, player);
    EXPECT_EQ(pass.ticks, 5u);
}

TEST(LightCadence, LateAndEarlyWakeUps) {
    const Clock::time_point t0{};
    LightCadence cadence(t0);
    // Late: every tick that passed is counted, and the steps due are caught up.
    LightCadence::Pass pass = cadence.Advance(t0 + 23ms, Interval(5));
    EXPECT_EQ(pass.ticks, 11u);
    EXPECT_EQ(pass.steps, 2u);
    EXPECT_EQ(pass.next, t0 + 22ms + 8ms);
    // Early (a change woke the thread): nothing runs, the next tick is taken.
    pass = cadence.Advance(t0 + 23500us, Interval(5));
    EXPECT_EQ(pass.ticks, 0u);
    EXPECT_EQ(pass.next, t0 + 24ms);
    // Resuming after a park counts one tick, so the effect continues where it stopped.
    cadence.Resume(t0 + 5s);
    pass = cadence.Advance(t0 + 5s, Interval(5));
    EXPECT_EQ(pass.ticks, 1u);
    EXPECT_EQ(cadence.Count(), 2u);
    // A very late wake-up catches up a bounded number of steps.
    pass = cadence.Advance(t0 + 10s, Interval(1));
    EXPECT_EQ(pass.steps, LightCadence::kMaxCatchUpSteps);
    EXPECT_EQ(cadence.Count(), 0u);
}

}  // namespace
}  // namespace ravo
