#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace ravo {

inline constexpr size_t kDeviceReportSize = 1024;
inline constexpr uint32_t kDeviceReportDataId = 5;

// The device summary sent to "ZozeZidu": the program's four version bytes as 32-bit values,
// the number of device-type descriptors and the first three values of each (little endian).
std::array<uint8_t, kDeviceReportSize> BuildDeviceReport(
    const std::array<uint8_t, 4>& version, std::span<const std::array<int32_t, 3>> descriptors);

}  // namespace ravo
