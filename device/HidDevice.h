#pragma once

#include "device/HidBackend.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace ravo {

inline constexpr uint32_t kInfiniteTimeout = 0xFFFFFFFFu;
inline constexpr size_t kMaxDevicePathLength = 259;

enum class HidReportType { Input = 0, Output = 1, Feature = 2 };

// Capabilities of the opened top-level collection; report lengths include the report ID byte.
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t inputReportByteLength = 0;
    uint16_t outputReportByteLength = 0;
    uint16_t featureReportByteLength = 0;
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberInputButtonCaps = 0;
    uint16_t numberInputValueCaps = 0;
    uint16_t numberInputDataIndices = 0;
    uint16_t numberOutputButtonCaps = 0;
    uint16_t numberOutputValueCaps = 0;
    uint16_t numberOutputDataIndices = 0;
    uint16_t numberFeatureButtonCaps = 0;
    uint16_t numberFeatureValueCaps = 0;
    uint16_t numberFeatureDataIndices = 0;
};

inline constexpr uint32_t kHidStatusSuccess = 0x00110000u;

// One element of a report type's field array, built from the capabilities at Open.
struct ReportField {
    bool isButton = false;
    uint16_t usagePage = 0;
    uint32_t status = kHidStatusSuccess;
    uint32_t reportId = 0;
    bool isSet = false;
    // Button field.
    uint32_t lowestUsage = 0;
    uint32_t highestUsage = 0;
    uint32_t usageListCapacity = 0;
    std::vector<uint16_t> usages;  // sized to the capacity at Open; 0 ends the list
    // Value field.
    uint16_t usage = 0;
    uint32_t rawValue = 0;
    int32_t scaledValue = 0;
};

class HidReportDescriptor;  // parsed descriptor of the opened collection

// One HID interface (one top-level collection) of a USB device, opened through the process's
// HidBus. One thread may be inside ReadReport/WriteReport while another calls Close or Open.
class HidDevice {
public:
    HidDevice();
    ~HidDevice();
    HidDevice(const HidDevice&) = delete;
    HidDevice& operator=(const HidDevice&) = delete;

    // Enumeration: the path list is independent of the open state.
    bool ListInterfaces();
    // The next listed path, or null at the end of the list.
    const std::string* NextInterfacePath();
    void ClearInterfaceList();

    bool Open(std::string_view path, bool read, bool write, bool overlapped, bool exclusive);
    void Close();
    bool IsOpen() const;

    // Timed transfers; timeoutMs == kInfiniteTimeout waits without limit (breakable by Close).
    bool ReadReport(uint8_t* buffer, uint32_t length, uint32_t* bytes, uint32_t timeoutMs);
    bool WriteReport(const uint8_t* buffer, uint32_t length, uint32_t* bytes, uint32_t timeoutMs);

    // Decodes an input/output/feature report into the fields of that type (see ReportField).
    bool ExtractUsages(const uint8_t* report, uint32_t length, HidReportType type,
                       ReportField* fields, size_t fieldCount);

    const HidAttributes& Attributes() const { return m_attributes; }
    const HidCaps& Caps() const { return m_caps; }
    uint32_t InterfaceNumber() const { return m_interfaceNumber; }
    uint32_t CollectionNumber() const { return m_collectionNumber; }
    const std::string& OpenedPath() const { return m_openedPath; }

    // Per report type: the report buffer (capability length, zero-filled) and field array.
    uint8_t* ReportBuffer(HidReportType type);
    uint32_t ReportBufferLength(HidReportType type) const;
    ReportField* Fields(HidReportType type);
    size_t FieldCount(HidReportType type) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    HidAttributes m_attributes;
    HidCaps m_caps;
    uint32_t m_interfaceNumber = 0;
    uint32_t m_collectionNumber = 0;
    std::string m_openedPath;
};

// Free path parsers: the hexadecimal number after the marker (case-insensitive), truncated to
// 16 bits; 0 when the marker is absent.
uint16_t ParseVendorId(std::string_view path);          // "vid_"
uint16_t ParseProductId(std::string_view path);         // "pid_"
uint16_t ParseInterfaceNumber(std::string_view path);   // "&mi_"
uint16_t ParseCollectionNumber(std::string_view path);  // "&col"

}  // namespace ravo
