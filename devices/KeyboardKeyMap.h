#pragma once

#include "devices/KeyboardDefaultCodes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>

namespace ravo {

inline constexpr uint8_t kNoKeyMapEntry = 255;
// Size of the key table and LED map images as read from the keyboard.
inline constexpr size_t kKeyTableImageSize = 512;
// The most 3-byte entries a key table image can hold.
inline constexpr int kMaxKeyTableEntries = static_cast<int>(kKeyTableImageSize / 3);

using KeyTableImage = std::array<uint8_t, kKeyTableImageSize>;

// Where each of the program's key numbers sits on the attached keyboard: its entry in the
// keyboard's key table and the LED that lights it (255 = none). The keyboard lists its keys
// in its own order, so the map is found by matching the factory codes.
class KeyboardKeyMap {
public:
    KeyboardKeyMap() { Clear(); }

    void Clear();

    // `keyCount` comes from the keyboard: entries that do not lie wholly inside the image
    // are never looked at.
    void Build(const KeyTableImage& keyTable, const KeyTableImage& ledMap, int keyCount);

    uint8_t Position(int key) const;
    uint8_t Led(int key) const;
    bool HasPosition(int key) const { return Position(key) != kNoKeyMapEntry; }

    // The maps as key number -> value for every key number 0..125 (255 for none).
    std::map<int, int> PositionMap() const;
    std::map<int, int> LedMap() const;

private:
    std::array<uint8_t, kKeyboardKeyNumbers> m_position{};
    std::array<uint8_t, kKeyboardKeyNumbers> m_led{};
};

}  // namespace ravo
