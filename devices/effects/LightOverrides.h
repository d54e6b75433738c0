#pragma once

// Per-light overrides: entry i of the profile's "LightList" may repaint light i after every
// step. The animation state (breath, flash, spectrum per light) is program-wide, one set for all
// keyboards, guarded by its own lock; the list itself belongs to the device.

#include "devices/effects/LightTypes.h"

#include <cstdint>
#include <span>

namespace ravo::effects {

// One "LightList" element.
struct LightOverride {
    uint8_t mode = 0;  // 0 breathe, 1 static, 2 flash, 3 spectrum, 4 off
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multicolour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t present = 0;  // 0 for a null element of the list

    friend bool operator==(const LightOverride&, const LightOverride&) = default;
};

class LightOverrides {
public:
    // Restarts the program-wide animations for this list (ApplyProfile).
    static void Restart(std::span<const LightOverride> list);
    // Advances the animations by `iterations` loop iterations and repaints the overridden
    // lights. nowMs is a millisecond tick count.
    static void Apply(std::span<const LightOverride> list, LightBuffer& lights, uint32_t nowMs,
                      unsigned iterations = 1);
    // True when some entry changes the lights over time (breathe, flash or spectrum).
    static bool IsAnimated(std::span<const LightOverride> list);
};

}  // namespace ravo::effects
