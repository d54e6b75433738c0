#pragma once

// Plain data shared by the keyboard's lighting effects and whoever shows or sends them.

#include "devices/LightEntry.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ravo::effects {

inline constexpr size_t kLightCount = 170;  // lights of the keyboard, indices 0..169
inline constexpr uint8_t kNoLight = 170;    // "no light" in every light table
inline constexpr size_t kColumns = 23;      // key-matrix columns
inline constexpr size_t kRows = 6;          // key-matrix rows, row 0 on top

// The device's light-buffer entry: red, green, blue as effects write them, then brightness.
using LightEntry = ravo::LightEntry;
static_assert(sizeof(LightEntry) == 4);

using LightBuffer = std::array<LightEntry, kLightCount>;

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace ravo::effects
