#pragma once

#include "devices/KeyboardDefaultCodes.h"

namespace ravo {

// The assignment of one key number as the key table code needs it: what the key does now,
// and its default that replaces an assignment no longer valid.
struct KeyAssignmentPair {
    KeyCodeBytes current;
    KeyCodeBytes fallback;
};

inline constexpr uint8_t kKeyTypeMacro = 0x70;
inline constexpr uint8_t kKeyTypeMacroRepeat = 0x71;

inline bool IsMacroCode(const KeyCodeBytes& code) {
    return code.type == kKeyTypeMacro || code.type == kKeyTypeMacroRepeat;
}

}  // namespace ravo
