#include "app/PowerStatusView.h"

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

TEST(PowerStatusView, ShowsLevelStateAndPhone) {
    const uint8_t charging[] = {80, 1, 0, 1, 0, 2};
    auto v = MakePowerStatusView(charging, 3);
    EXPECT_EQ(v.progress, 20);
    EXPECT_EQ(v.valueText, "80%");
    EXPECT_TRUE(v.wireless);
    EXPECT_EQ(v.statusImage, "file='power/powering.png'");
    EXPECT_TRUE(v.hasPhone);
    EXPECT_EQ(v.phoneImage, "file='power/Phone_type_samsung.png'");
    EXPECT_EQ(v.phoneText, "Phone_type_samsung");

    v = MakePowerStatusView(charging, 2);  // phones only on the mouse pad
    EXPECT_FALSE(v.hasPhone);

    const uint8_t odd[] = {100, 7, 0, 0, 0, 9};
    v = MakePowerStatusView(odd, 3);
    EXPECT_EQ(v.progress, 0);
    EXPECT_TRUE(v.statusImage.isEmpty());
    EXPECT_FALSE(v.wireless);
    EXPECT_EQ(v.phoneText, "Phone_type_no_device");
}

TEST(PowerStatusView, ShortStatusReadsAsZeros) {
    const std::vector<uint8_t> shortStatus = {55};
    const auto v = MakePowerStatusView(shortStatus, 3);
    EXPECT_EQ(v.valueText, "55%");
    EXPECT_EQ(v.statusImage, "file='power/powered.png'");
    EXPECT_EQ(v.phoneText, "Phone_type_no_device");
    EXPECT_EQ(MakePowerStatusView({}, 1).valueText, "0%");
}

}  // namespace
}  // namespace ravo
