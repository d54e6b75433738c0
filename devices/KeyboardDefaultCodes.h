#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace ravo {

// The program's key numbers for the keyboard; the key number is also the key's light index.
inline constexpr int kKeyboardKeyNumbers = 126;

// Three-byte function code of a key: type, parameter 1, parameter 2.
struct KeyCodeBytes {
    uint8_t type = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    friend bool operator==(const KeyCodeBytes&, const KeyCodeBytes&) = default;
};

// The factory code of key number `key` (0..125); a zero code for other numbers.
KeyCodeBytes KeyboardDefaultCode(int key);

}  // namespace ravo
