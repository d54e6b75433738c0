#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravo::platform {

// What sysfs tells about one hidraw node, without opening it.
struct HidrawNodeInfo {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0;  // bcdDevice of the USB device; 0 when it has none
    std::vector<uint8_t> reportDescriptor;
};

// Reads <sysfsRoot>/class/hidraw/<node>/device/{report_descriptor,uevent} and the USB
// device's bcdDevice. False with a reason when the node or its descriptor is missing.
bool ReadHidrawNodeInfo(const std::string& sysfsRoot, const std::string& node, HidrawNodeInfo* info,
                        std::string* error);

}  // namespace ravo::platform
