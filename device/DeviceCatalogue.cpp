#include "device/DeviceCatalogue.h"

namespace ravo {

bool SameEntry(const DeviceSupportEntry& a, const DeviceSupportEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber &&
           a.deviceType == b.deviceType && a.role == b.role && a.usagePage == b.usagePage &&
           a.usage == b.usage;
}

const std::vector<DeviceSupportEntry>& SupportTable() {
    // clang-format off
    static const std::vector<DeviceSupportEntry> table = {
        // vendor  product iface col type role inUse page    usage partner? partner
        {0x320F, 0x5078, 1, 4, 1, 0,   0, 0xFF1C, 0x92, 1, 2, {}},
        {0x320F, 0x5078, 1, 3, 1, 255, 0, 0x000C, 0x01, 1, 3, {}},
        {0x320F, 0x5001, 1, 4, 9, 0,   0, 0xFF1C, 0x92, 1, 0, {}},
        {0x320F, 0x5001, 1, 3, 9, 255, 0, 0x000C, 0x01, 1, 1, {}},
        {0x320F, 0x221C, 1, 4, 2, 0,   0, 0xFF1C, 0x92, 1, 6, {}},
        {0x320F, 0x221C, 1, 3, 2, 255, 0, 0x000C, 0x01, 1, 7, {}},
        {0x320F, 0x221D, 1, 4, 6, 0,   0, 0xFF1C, 0x92, 1, 4, {}},
        {0x320F, 0x221D, 1, 3, 6, 255, 0, 0x000C, 0x01, 1, 5, {}},
        {0x320F, 0x1004, 1, 4, 3, 0,   0, 0xFF1C, 0x92, 0, 0, {}},
        {0x320F, 0x1004, 1, 3, 3, 255, 0, 0x000C, 0x01, 0, 0, {}},
        {0x0C76, 0x1630, 3, 0, 7, 0,   0, 0x000C, 0x01, 0, 0, {}},
    };
    // clang-format on
    return table;
}

const std::vector<DeviceKindRow>& DeviceKindTable() {
    static const std::string layout = "XML\\CustomControlXML\\DeviceOption.xml";
    static const std::string header = "tab_header_device";
    static const std::string power = "device_power_switch";
    static const std::vector<DeviceKindRow> table = {
        {layout, header, power, "mouse", 1, 0x320F, 0x221C, 2, 0},
        {layout, header, power, "keyboard", 0, 0x320F, 0x5078, 1, 0},
        {layout, header, power, "MousePad", 2, 0x320F, 0x1004, 3, 0},
        {layout, header, power, "HD", 3, 0x0C76, 0x1630, 7, 0},
    };
    return table;
}

const std::vector<DevicePageRow>& DevicePageTable() {
    static const std::vector<DevicePageRow> table = {
        {15, 11, 1, -1, "XML\\DeviceXml\\mousedevice.xml", "veldo_light"},
        {170, 170, 0, -1, "XML\\DeviceXml\\keyboarddevice.xml", "veldo_light"},
        {15, 0, 0, -1, "XML\\DeviceXml\\mousepaddevice.xml", "veldo_light"},
        {13, 0, 0, -1, "XML\\DeviceXml\\va6533device.xml", "veldo_light"},
    };
    return table;
}

const std::vector<UpdateCatalogueRow>& UpdateCatalogue() {
    // The brand word, project and family codes are the maker's update-server keys.
    static const std::vector<UpdateCatalogueRow> table = {
        {1, 1, 0, "RAVOX", "RVTKL_MS", "MS", "MS", ""},
        {1, 1, 0, "RAVOX", "RVTKL_KB", "KB", "KB", ""},
        {2, 1, 0, "RAVOX", "RVTKL_R40R", "R40", "R40", ""},
        {0, 1, 0, "RAVOX", "ALL", "RAVO_TKL_AP", "AP", "V1.0"},
    };
    return table;
}

int FindSupportRow(int vendorId, int productId, int deviceType, int role) {
    const auto& table = SupportTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const DeviceSupportEntry& row = table[i];
        if (row.vendorId == vendorId && row.productId == productId &&
            row.deviceType == deviceType && row.role == role)
            return static_cast<int>(i);
    }
    return -1;
}

int FindDeviceKind(int vendorId, int productId, int deviceType, int role) {
    const auto& table = DeviceKindTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const DeviceKindRow& row = table[i];
        if (static_cast<int64_t>(row.vendorId) == vendorId &&
            static_cast<int64_t>(row.productId) == productId &&
            static_cast<int64_t>(row.deviceType) == deviceType &&
            static_cast<int64_t>(row.role) == role)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace ravo
