#include "devices/LightCadence.h"

#include <algorithm>

namespace ravo {

LightCadence::Pass LightCadence::Advance(Clock::time_point now,
                                         const effects::LightPacing& pacing) {
    Pass pass;
    const auto elapsed = now > m_last ? static_cast<unsigned>((now - m_last) / kTick) : 0u;
    if (elapsed == 0) {
        // Woken by a change before the next tick: take it at that tick.
        pass.next = m_last + kTick;
        return pass;
    }
    m_last += elapsed * kTick;
    m_count = std::min(m_count + elapsed, 255u);
    pass.ticks = elapsed;

    const bool player = pacing.kind == effects::ModePacing::Player;
    if (!player && m_count >= pacing.interval) {
        // Steps keep the speed level's pace even when the thread was scheduled late.
        const unsigned interval = std::max<unsigned>(pacing.interval, 1);
        pass.steps = std::min(m_count / interval, kMaxCatchUpSteps);
        m_count = pass.steps == kMaxCatchUpSteps ? 0 : m_count % interval;
        if (pacing.still) {
            // Repeating a still step paints the same frame again.
            pass.steps = 1;
            m_count = 0;
        }
    }
    if (player) {
        pass.next = m_last + kPlayerBatchTicks * kTick;
    } else if (pacing.still && m_count == 0) {
        pass.next = now + kStillWait;
    } else {
        const unsigned interval = std::max<unsigned>(pacing.interval, 1);
        const unsigned ticks = m_count >= interval ? 1 : interval - m_count;
        pass.next = m_last + ticks * kTick;
    }
    return pass;
}

}  // namespace ravo
