#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace ravo {

// What the power indicator shows for a 6-byte power status: byte 0 level in percent, byte 1
// charge state (0 powered, 1 charging, 2 on battery), byte 3 wireless, byte 5 (mouse pad
// only) the kind of phone on its charger.
struct PowerStatusView {
    int progress = 100;  // the progress bar counts down: 100 - level
    QString valueText;   // "80%"
    bool wireless = false;
    QString statusImage;  // empty: unknown state, image unchanged
    bool hasPhone = false;
    QString phoneImage;
    QString phoneText;
};

// A status shorter than six bytes reads as zero-filled.
PowerStatusView MakePowerStatusView(std::span<const uint8_t> status, int deviceType);

}  // namespace ravo
