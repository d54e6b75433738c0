#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ravo {

// One macro event in the four-byte form the keyboard plays.
using MacroEventBytes = std::array<uint8_t, 4>;

inline constexpr uint16_t kMacroImageMarker = 0x55AA;
inline constexpr size_t kMacroImageHeaderBytes = 16;

// Bytes the image of macros with these event counts takes: 16 + sum(6 + 4 x events).
size_t MacroImageSize(const std::vector<size_t>& eventCounts);

// The WriteMacros verdict on an image of `size` bytes against `capacity` bytes of macro
// memory: 0 when it fits, otherwise (size - capacity) / 4 + 1 (events too many, plus one).
int MacroOverflow(size_t size, size_t capacity);

// Builds the macro image (little-endian): marker, total size, macro count, 10 reserved
// bytes, one 16-bit offset per macro, then per macro its event count, 2 reserved bytes and
// its events. Returns false, leaving `image` empty, when the image would not fit 16-bit
// sizes and offsets.
bool BuildMacroImage(const std::vector<std::vector<MacroEventBytes>>& macros,
                     std::vector<uint8_t>& image);

}  // namespace ravo
