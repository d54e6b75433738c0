#pragma once

#include <cstdint>

namespace ravo {

// What a code from the keyboard's listener changes: codes 0x10nn and 0x11nn announce an
// on-board profile switch (low nibble = profile; 0x11nn also carries a second nibble).
struct SyncCodeEffect {
    bool applies = false;
    uint8_t profile = 0;
    bool hasNibble = false;
    uint8_t nibble = 0;
};

SyncCodeEffect InterpretSyncCode(uint32_t code);

}  // namespace ravo
