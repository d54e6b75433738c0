#include "devices/KeyboardSyncCode.h"

namespace ravo {

SyncCodeEffect InterpretSyncCode(uint32_t code) {
    SyncCodeEffect e;
    const uint32_t high = code >> 8;
    if (high != 0x10 && high != 0x11) {
        return e;
    }
    e.applies = true;
    e.profile = static_cast<uint8_t>(code & 0x0F);
    if (high == 0x11) {
        e.hasNibble = true;
        e.nibble = static_cast<uint8_t>((code >> 4) & 0x0F);
    }
    return e;
}

}  // namespace ravo
