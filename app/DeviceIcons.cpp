#include "app/DeviceIcons.h"

namespace ravo {

DeviceIcons IconsForStem(const QString& stem) {
    const QString base = "common/device_ico/" + stem;
    return {base + "_synchro_selected.png", base + "_synchro_normal.png", base + "_selected.png",
            base + "_normal.png", stem + "_name_text"};
}

std::optional<DeviceIcons> IconsForDevice(int type, int subType) {
    switch (type) {
        case 1:
            return IconsForStem("kb_device");
        case 2:
            return IconsForStem("ms_device");
        case 3:
            if (subType == 0)
                return IconsForStem("hard_mp_device");
            if (subType == 1)
                return IconsForStem("soft_mp_device");
            return std::nullopt;
        case 4:
        case 7:
            return IconsForStem("hd_device");
        case 5:
            return IconsForStem("hub_device");
        default:
            return IconsForStem("unknow_device");
    }
}

}  // namespace ravo
