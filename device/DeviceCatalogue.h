#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ravo {

// Device types of the supported-device table.
enum DeviceType : uint16_t {
    kDeviceTypeWiredKeyboard = 1,
    kDeviceTypeWiredMouse = 2,
    kDeviceTypeMousePad = 3,
    kDeviceTypeReceiverMouse = 6,
    kDeviceTypeHeadset = 7,
    kDeviceTypeReceiverKeyboard = 9,
};

// Interface roles.
inline constexpr uint16_t kRoleCommand = 0;
inline constexpr uint16_t kRoleEvent = 255;

// One HID interface the program serves. In a DeviceSlot (the main window's live copy of a row)
// inUse is 1 and path holds the interface path while the interface is present and claimed.
struct DeviceSupportEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;   // "&mi_" of the path
    uint16_t collectionNumber = 0;  // "&col" of the path; 0 for a single collection
    uint16_t deviceType = 0;
    uint16_t role = 0;  // kRoleCommand or kRoleEvent
    uint16_t inUse = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t hasPartner = 0;    // the device also appears over its other link
    uint16_t partnerIndex = 0;  // row of the same role on the other link
    std::string path;

    bool IsFree() const { return inUse == 0 && path.empty(); }
};

using DeviceSlot = DeviceSupportEntry;

// Identity of two entries: fields other than the in-use flag, the partner fields and the path.
bool SameEntry(const DeviceSupportEntry& a, const DeviceSupportEntry& b);

// Per kind of device: how its selector item is presented and which command row stands for it.
struct DeviceKindRow {
    std::string layoutFile;
    std::string headerControl;
    std::string powerContainer;
    std::string kindName;
    int32_t category = 0;
    uint32_t vendorId = 0;
    uint32_t productId = 0;
    uint32_t deviceType = 0;
    uint32_t role = 0;
};

// Per kind of device (same index as DeviceKindRow): its page.
struct DevicePageRow {
    uint32_t lightCount = 0;
    uint32_t keyCount = 0;
    uint32_t hasBattery = 0;
    int32_t logoLightIndex = -1;
    std::string pageLayoutFile;
    std::string presetBaseName;
};

// Per updatable item: the pieces of its update request. Rows 0-2 pair with the device
// selector items in order; the row with project code "ALL" is the program itself.
struct UpdateCatalogueRow {
    uint32_t hexVersion = 0;
    uint32_t productNumber = 1;
    uint32_t currentVersion = 0;  // 0 in the table, filled at run time
    std::string brand;
    std::string projectCode;
    std::string modelCode;
    std::string displayName;
    std::string versionText;
};

inline constexpr size_t kSupportRowCount = 11;
inline constexpr size_t kDeviceKindCount = 4;
inline constexpr size_t kUpdateRowCount = 4;

const std::vector<DeviceSupportEntry>& SupportTable();
const std::vector<DeviceKindRow>& DeviceKindTable();
const std::vector<DevicePageRow>& DevicePageTable();
const std::vector<UpdateCatalogueRow>& UpdateCatalogue();

// Index of the first row with these four values, or -1.
int FindSupportRow(int vendorId, int productId, int deviceType, int role);
int FindDeviceKind(int vendorId, int productId, int deviceType, int role);

}  // namespace ravo
