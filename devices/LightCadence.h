#pragma once

// The light thread's time base, apart from the thread so it can be checked with made-up
// times: a tick is counted when at least 2 ms passed since the last counted one; a step is due
// when the count reaches the mode's interval; the next wake-up is when the next step is due
// (player modes: every five ticks; still modes: after kStillWait).

#include "devices/effects/SoftwareLighting.h"

#include <chrono>

namespace ravo {

class LightCadence {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kTick{2};
    static constexpr std::chrono::milliseconds kStillWait{250};
    static constexpr unsigned kPlayerBatchTicks = 5;
    // A late wake-up catches up at most this many steps.
    static constexpr unsigned kMaxCatchUpSteps = 8;

    struct Pass {
        unsigned ticks = 0;      // ticks counted since the last pass (0: nothing to run)
        unsigned steps = 0;      // mode steps due: more than one after a late wake-up
        Clock::time_point next;  // when to wake up next
    };

    explicit LightCadence(Clock::time_point start) : m_last(start) {}

    // A pass at `now` with the mode's pacing.
    Pass Advance(Clock::time_point now, const effects::LightPacing& pacing);
    // The thread was parked (link closed, output suspended): effects continue where they
    // stopped, the parked time counting as one tick.
    void Resume(Clock::time_point now) { m_last = now - kTick; }

    unsigned Count() const { return m_count; }

private:
    Clock::time_point m_last;
    unsigned m_count = 0;
};

}  // namespace ravo
