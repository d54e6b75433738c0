#include "app/PowerStatusView.h"

#include <array>

namespace ravo {

PowerStatusView MakePowerStatusView(std::span<const uint8_t> status, int deviceType) {
    std::array<uint8_t, 6> b{};
    for (size_t i = 0; i < b.size() && i < status.size(); ++i)
        b[i] = status[i];
    PowerStatusView v;
    v.progress = 100 - b[0];
    v.valueText = QString::asprintf("%d%s", b[0], "%");
    v.wireless = b[3] != 0;
    switch (b[1]) {
        case 0:
            v.statusImage = "file='power/powered.png'";
            break;
        case 1:
            v.statusImage = "file='power/powering.png'";
            break;
        case 2:
            v.statusImage = "file='power/power.png'";
            break;
        default:
            break;
    }
    if (deviceType == 3) {
        v.hasPhone = true;
        switch (b[5]) {
            case 1:
                v.phoneText = "Phone_type_iphone";
                break;
            case 2:
                v.phoneText = "Phone_type_samsung";
                break;
            case 3:
                v.phoneText = "Phone_type_other";
                break;
            default:
                v.phoneText = "Phone_type_no_device";
                break;
        }
        v.phoneImage = "file='power/" + v.phoneText + ".png'";
    }
    return v;
}

}  // namespace ravo
