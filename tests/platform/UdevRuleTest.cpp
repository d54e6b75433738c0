#include "device/DeviceCatalogue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace ravo {
namespace {

// Every supported vendor/product pair gets access through the shipped udev rule.
TEST(UdevRuleTest, CoversEverySupportedDevice) {
    const std::string root = RAVO_SOURCE_DIR;
    std::ifstream in(root + "/packaging/60-ravo-tkl-rgb.rules");
    ASSERT_TRUE(in) << "rule file missing";
    std::stringstream text;
    text << in.rdbuf();
    const std::string rules = text.str();
    for (const DeviceSupportEntry& row : SupportTable()) {
        char line[128];
        std::snprintf(line, sizeof line,
                      "ATTRS{idVendor}==\"%04x\", ATTRS{idProduct}==\"%04x\", TAG+=\"uaccess\"",
                      row.vendorId, row.productId);
        EXPECT_NE(rules.find(line), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace ravo
