#pragma once

#include <QString>

#include <optional>

namespace ravo {

// The selector item's four images (under "common/device_ico/") and its name text key.
struct DeviceIcons {
    QString synchroSelected;
    QString synchroNormal;
    QString selected;
    QString normal;
    QString nameText;
};

DeviceIcons IconsForStem(const QString& stem);
// By device type and sub-type; none for a mouse pad (3) of an unknown sub-type, which keeps
// the icons it has.
std::optional<DeviceIcons> IconsForDevice(int type, int subType);

}  // namespace ravo
