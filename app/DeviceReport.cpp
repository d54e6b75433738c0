#include "app/DeviceReport.h"

namespace ravo {

namespace {

void PutInt(std::array<uint8_t, kDeviceReportSize>& block, size_t offset, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i)
        block[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::array<uint8_t, kDeviceReportSize> BuildDeviceReport(
    const std::array<uint8_t, 4>& version, std::span<const std::array<int32_t, 3>> descriptors) {
    std::array<uint8_t, kDeviceReportSize> block{};
    for (size_t i = 0; i < 4; ++i)
        PutInt(block, 4 * i, version[i]);
    // Only as many descriptors as the block holds.
    const size_t count = std::min(descriptors.size(), (kDeviceReportSize - 20) / 12);
    PutInt(block, 16, static_cast<int32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        for (size_t k = 0; k < 3; ++k)
            PutInt(block, 20 + 12 * i + 4 * k, descriptors[i][k]);
    }
    return block;
}

}  // namespace ravo
