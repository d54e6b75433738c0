#pragma once

#include <cstdint>

namespace ravo {

// One light of a device's light buffer: colour bytes (red, green, blue as the effects write
// them) and a brightness 0..255 that scales them on output.
struct LightEntry {
    uint8_t c0 = 0;
    uint8_t c1 = 0;
    uint8_t c2 = 0;
    uint8_t brightness = 0;
    friend bool operator==(const LightEntry&, const LightEntry&) = default;
};

// The colour the page controls show for a light: c0 | c2 << 8 | c1 << 16.
inline uint32_t PackPreviewColour(const LightEntry& e) {
    return static_cast<uint32_t>(e.c0) | static_cast<uint32_t>(e.c2) << 8 |
           static_cast<uint32_t>(e.c1) << 16;
}

inline uint8_t ScaleChannel(uint8_t colour, uint8_t brightness) {
    return static_cast<uint8_t>((static_cast<unsigned>(colour) * brightness) >> 8);
}

}  // namespace ravo
