#pragma once

#include "devices/effects/LightTypes.h"

#include <array>
#include <cstdint>

namespace ravo::effects {

// What the steps read of the light settings (the 14-byte "LightInfo" form), plus the pacing
// fields of the keyboard light copy.
struct EffectSettings {
    uint8_t mode = 0;
    uint8_t brightness = 0;  // level 0..4
    uint8_t speed = 0;       // level 0..4
    uint8_t direction = 0;   // 0 = backward, otherwise forward
    uint8_t multicolour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t ledMode = 0;      // "ZZCCLedMode"
    uint8_t customGroup = 0;  // custom colour page the keyboard shows in mode 20

    friend bool operator==(const EffectSettings&, const EffectSettings&) = default;
};

// The light thread picks the step by this copy's mode and paces it by this copy's speed.
struct LightCopy {
    uint8_t mode = 0;
    uint8_t speed = 0;

    friend bool operator==(const LightCopy&, const LightCopy&) = default;
};

inline constexpr size_t kMusicLevels = 25;
inline constexpr size_t kExternalValues = 6;

// Per-device state of the running effect. Arithmetic on these bytes is 8-bit on purpose.
struct EffectState {
    uint8_t phase = 0;
    uint8_t colourIndex = 0;
    uint8_t secondIndex = 0;
    uint8_t blinkState = 0;
    uint32_t blinkTime = 0;  // ms tick of the last flash toggle

    std::array<uint8_t, kLightCount> level{};  // L
    std::array<uint8_t, kLightCount> hue{};    // H
    std::array<uint8_t, kLightCount> pulse{};  // S
    std::array<uint8_t, kColumns> columnFlags{};

    // Wave planes P1..P4: one byte per column, bit r = matrix row r.
    std::array<std::array<uint8_t, kColumns>, 4> planes{};
    uint8_t planeCounter = 0;

    // Inputs of the music (29) and external-colour (30) modes.
    std::array<int32_t, kMusicLevels> musicLevels{};
    std::array<int32_t, kMusicLevels> musicColumnFlags{};
    std::array<int32_t, kExternalValues> externalColour{};
};

}  // namespace ravo::effects
