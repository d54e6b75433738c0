#include "device/HidDevice.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(HidPathParseTest, MarkersAndEdgeCases) {
    struct Case {
        const char* path;
        uint16_t vendor, product, interfaceNumber, collection;
    };
    const Case cases[] = {
        {"\\\\?\\hid#vid_320f&pid_5078&mi_01&col04#7&1b2c&0&0003#{4d1e55b2-f16f-11cf-88cb-"
         "001111000030}",
         0x320F, 0x5078, 1, 4},
        {"\\\\?\\HID#VID_320F&PID_5078&MI_01&COL03#x", 0x320F, 0x5078, 1, 3},  // upper case
        {"\\\\?\\hid#vid_0c76&pid_1630#x", 0x0C76, 0x1630, 0, 0},  // no &mi_ and no &col
        {"\\\\?\\hid#vid_320f&pid_5078&mi_01&col0a#x", 0x320F, 0x5078, 1, 10},
        {"\\\\?\\hid#vid_320F&pid_50Aa&mi_1f&col#x", 0x320F, 0x50AA, 0x1F, 0},  // no digits
        {"\\\\?\\hid#vid_1234567&pid_&mi_", 0x4567, 0, 0, 0},  // truncated to 16 bits
        {"vid_320fpid_5078mi_01col04", 0x320F, 0x5078, 0, 0},  // markers need their '&'
        {"", 0, 0, 0, 0},
        {"vid_", 0, 0, 0, 0},
        {"\\\\?\\hid#vid_320f&pid_5078&mi_01&col04#ravovirt_1_2_0&col07", 0x320F, 0x5078, 1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(ParseVendorId(c.path), c.vendor);
        EXPECT_EQ(ParseProductId(c.path), c.product);
        EXPECT_EQ(ParseInterfaceNumber(c.path), c.interfaceNumber);
        EXPECT_EQ(ParseCollectionNumber(c.path), c.collection);
    }
}

}  // namespace
}  // namespace ravo
