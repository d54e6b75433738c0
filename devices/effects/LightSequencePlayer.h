#pragma once

// Plays a user light file (modes 0, 19 and above 30): its entries one after the other, each for
// its "Time" in milliseconds. The list and its cursor belong to the device (guarded by the
// device's sequence lock, which Play takes around every access); the step counter, phase, flash
// state and entry clock are program-wide, shared by every keyboard, under their own lock.

#include "devices/effects/LightTypes.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace ravo::effects {

// One "LEDEffectList" element of a light step file.
struct SequenceStep {
    uint8_t mode = 0;  // "LEDREGMode": 0 breathe, 1 static, 2 flash, 4 wave, 5 spectrum
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multicolour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint32_t timeMs = 0;  // "Time"

    friend bool operator==(const SequenceStep&, const SequenceStep&) = default;
};

// The device's list and cursor, as the player sees them.
struct SequenceRef {
    std::mutex& lock;                        // the sequence lock
    const std::vector<SequenceStep>& steps;  // guarded by lock
    int32_t& cursor;                         // guarded by lock
};

class LightSequencePlayer {
public:
    // One loop iteration. deviceSpeed is the device's speed level (flash pacing).
    static void Play(const SequenceRef& sequence, LightBuffer& lights, uint8_t deviceSpeed,
                     uint32_t nowMs);
    // Forgets the program-wide counters and the entry clock (tests; a fresh program start).
    static void ResetShared();
};

}  // namespace ravo::effects
