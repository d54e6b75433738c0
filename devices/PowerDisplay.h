#pragma once

#include <cstdint>

namespace ravo {

// What a device object tells the power/battery control the device list gives it.
class IPowerDisplay {
public:
    virtual ~IPowerDisplay() = default;
    // Whether the device reports power at all (the control shows itself only then).
    virtual void SetPowerFlag(int flag) = 0;
    // The six power-status bytes (level, state, -, link kind, -, phone kind).
    virtual void SetPowerStatus(const uint8_t* status, int length) = 0;
};

}  // namespace ravo
