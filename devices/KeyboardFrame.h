#pragma once

#include "devices/KeyboardKeyMap.h"
#include "devices/LightEntry.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace ravo {

// The live lighting frame of the keyboard: 128 LEDs x RGB.
inline constexpr size_t kLiveFrameLeds = 128;
inline constexpr size_t kLiveFrameBytes = kLiveFrameLeds * 3;
using LiveFrame = std::array<uint8_t, kLiveFrameBytes>;

// A frame or colour page addressed by light or LED index, 3 bytes each.
inline constexpr size_t kLightPageBytes = 512;
using LightPage = std::array<uint8_t, kLightPageBytes>;

// Builds the keyboard's live frame from the light buffer: each key number's scaled colour at
// its LED. Keys without an LED, and LEDs the frame has no room for (a keyboard may report any
// byte as an LED index), are left dark. Allocates nothing.
void BuildLiveFrame(const LightEntry* lights, size_t lightCount, const KeyboardKeyMap& map,
                    LiveFrame& frame);

// The generic frame of devices without an LED map: light i at bytes 3i..3i+2, scaled; lights
// beyond the page are not sent. Allocates nothing.
void BuildLightIndexFrame(const LightEntry* lights, size_t lightCount, LightPage& frame);

// The keyboard's custom colour page: each key number's colour at its LED, scaled by its
// brightness or not; LEDs beyond the page are skipped. Allocates nothing.
void BuildColourPage(const LightEntry* lights, size_t lightCount, const KeyboardKeyMap& map,
                     bool scaled, LightPage& page);

}  // namespace ravo
