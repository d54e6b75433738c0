#include "devices/KeyboardKeyMap.h"

#include <algorithm>

namespace ravo {

void KeyboardKeyMap::Clear() {
    m_position.fill(kNoKeyMapEntry);
    m_led.fill(kNoKeyMapEntry);
}

void KeyboardKeyMap::Build(const KeyTableImage& keyTable, const KeyTableImage& ledMap,
                           int keyCount) {
    Clear();
    const int entries = std::clamp(keyCount, 0, kMaxKeyTableEntries);
    for (int key = 0; key < kKeyboardKeyNumbers; ++key) {
        const KeyCodeBytes code = KeyboardDefaultCode(key);
        for (int e = 0; e < entries; ++e) {
            const size_t at = static_cast<size_t>(e) * 3;
            if (keyTable[at] == code.type && keyTable[at + 1] == code.p1 &&
                keyTable[at + 2] == code.p2) {
                m_position[static_cast<size_t>(key)] = static_cast<uint8_t>(e);
                m_led[static_cast<size_t>(key)] = ledMap[static_cast<size_t>(e)];
                break;
            }
        }
    }
}

uint8_t KeyboardKeyMap::Position(int key) const {
    if (key < 0 || key >= kKeyboardKeyNumbers) {
        return kNoKeyMapEntry;
    }
    return m_position[static_cast<size_t>(key)];
}

uint8_t KeyboardKeyMap::Led(int key) const {
    if (key < 0 || key >= kKeyboardKeyNumbers) {
        return kNoKeyMapEntry;
    }
    return m_led[static_cast<size_t>(key)];
}

std::map<int, int> KeyboardKeyMap::PositionMap() const {
    std::map<int, int> map;
    for (int key = 0; key < kKeyboardKeyNumbers; ++key) {
        map[key] = m_position[static_cast<size_t>(key)];
    }
    return map;
}

std::map<int, int> KeyboardKeyMap::LedMap() const {
    std::map<int, int> map;
    for (int key = 0; key < kKeyboardKeyNumbers; ++key) {
        map[key] = m_led[static_cast<size_t>(key)];
    }
    return map;
}

}  // namespace ravo
