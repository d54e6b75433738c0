#pragma once

#include "device/HidDevice.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ravo {

// Status codes of report decoding, with the values Windows' HID parser uses.
inline constexpr uint32_t kHidStatusNull = 0x80110001u;
inline constexpr uint32_t kHidStatusInvalidReportLength = 0xC0110003u;
inline constexpr uint32_t kHidStatusUsageNotFound = 0xC0110004u;
inline constexpr uint32_t kHidStatusValueOutOfRange = 0xC0110005u;
inline constexpr uint32_t kHidStatusBadLogPhyValues = 0xC0110006u;
inline constexpr uint32_t kHidStatusBufferTooSmall = 0xC0110007u;
inline constexpr uint32_t kHidStatusIncompatibleReportId = 0xC011000Au;

// A run of report fields that carries on/off usages: a variable item of one-bit fields (one
// field per usage) or an array item (each slot holds the index of a usage that is on).
struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    bool isArray = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t bitOffset = 0;   // of the first field, counted from the byte after the report ID
    uint16_t reportSize = 0;  // bits per field
    uint16_t reportCount = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    uint32_t arrayIndexBase = 0;  // array: index of usageMin within the item's usage list
};

// A run of multi-bit variable fields, one per usage of usageMin..usageMax (the last usage
// covers the remaining fields).
struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t bitOffset = 0;
    uint16_t reportSize = 0;
    uint16_t reportCount = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

struct HidCollectionReports {
    uint16_t byteLength = 0;  // longest report of this type, report ID byte included; 0: none
    uint16_t dataIndices = 0;
    std::vector<HidButtonCaps> buttonCaps;
    std::vector<HidValueCaps> valueCaps;
};

struct HidTopLevelCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t linkCollectionNodes = 0;  // this collection and every collection nested in it
    std::vector<uint8_t> reportIds;    // in first-use order; empty when reports carry no ID
    std::array<HidCollectionReports, 3> reports;  // by HidReportType

    const HidCollectionReports& Reports(HidReportType type) const {
        return reports[static_cast<size_t>(type)];
    }
};

// The parsed report descriptor of one USB HID interface: its top-level collections in
// descriptor order (collection number N is element N - 1).
class HidReportDescriptor {
public:
    static constexpr size_t kMaxDescriptorBytes = 4096;

    // False with a reason for a descriptor that is malformed or beyond our limits.
    bool Parse(std::span<const uint8_t> bytes, std::string* error = nullptr);

    const std::vector<HidTopLevelCollection>& Collections() const { return m_collections; }
    bool UsesReportIds() const { return m_usesReportIds; }
    // Index of the top-level collection whose reports carry this ID, or -1.
    int CollectionOfReportId(uint8_t reportId) const;

private:
    bool ParseItems(std::span<const uint8_t> bytes, std::string* error);

    std::vector<HidTopLevelCollection> m_collections;
    bool m_usesReportIds = false;
};

// Report decoding over one collection. Reports always start with the report ID byte (0 when
// the descriptor uses no IDs).
uint32_t HidMaxUsageListLength(const HidTopLevelCollection& collection, HidReportType type,
                               uint16_t usagePage);
// Usages of the page that are on, in field order; *count in: capacity, out: usages stored.
uint32_t HidGetUsages(const HidTopLevelCollection& collection, HidReportType type,
                      uint16_t usagePage, std::span<const uint8_t> report, uint16_t* usages,
                      uint32_t* count);
uint32_t HidGetUsageValue(const HidTopLevelCollection& collection, HidReportType type,
                          uint16_t usagePage, uint16_t usage, std::span<const uint8_t> report,
                          uint32_t* value);
uint32_t HidGetScaledUsageValue(const HidTopLevelCollection& collection, HidReportType type,
                                uint16_t usagePage, uint16_t usage, std::span<const uint8_t> report,
                                int32_t* value);

}  // namespace ravo
