#include "app/DeviceReport.h"
#include "app/DpiLayout.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(DpiLayout, LargeMonitorsGet144) {
    EXPECT_EQ(ChooseLayoutDpi(1500, 960), 96);
    EXPECT_EQ(ChooseLayoutDpi(1501, 961), 144);
    EXPECT_EQ(ChooseLayoutDpi(1920, 960), 96);
    EXPECT_EQ(ChooseLayoutDpi(2560, 1440), 144);
    EXPECT_EQ(SanitizeDpi(100), 96);
    EXPECT_EQ(SanitizeDpi(168), 168);
}

TEST(DpiLayout, FontTable) {
    const auto fonts = MainFontTable();
    ASSERT_EQ(fonts.size(), 15u);
    EXPECT_EQ(fonts[0].size, 15);
    EXPECT_TRUE(fonts[2].underline);
    EXPECT_EQ(fonts[4].size, 30);  // font 3
    EXPECT_EQ(fonts[13].id, 50);
    EXPECT_TRUE(fonts[14].bold);
    EXPECT_EQ(fonts[14].size, 7);
}

uint32_t IntAt(const std::array<uint8_t, kDeviceReportSize>& b, size_t offset) {
    return b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 | uint32_t(b[offset + 3]) << 24;
}

TEST(DeviceReport, Layout) {
    const std::array<int32_t, 3> descriptors[] = {
        {15, 11, 1}, {170, 170, 0}, {15, 0, 0}, {13, 0, 0}};
    const auto block = BuildDeviceReport({2, 3, 0, 2}, descriptors);
    EXPECT_EQ(IntAt(block, 0), 2u);
    EXPECT_EQ(IntAt(block, 4), 3u);
    EXPECT_EQ(IntAt(block, 12), 2u);
    EXPECT_EQ(IntAt(block, 16), 4u);
    EXPECT_EQ(IntAt(block, 20), 15u);
    EXPECT_EQ(IntAt(block, 32), 170u);
    EXPECT_EQ(IntAt(block, 20 + 36 + 0), 13u);
    for (size_t i = 20 + 48; i < kDeviceReportSize; ++i)
        ASSERT_EQ(block[i], 0) << i;
}

}  // namespace
}  // namespace ravo
