// ctest-labels: asan
#include "devices/MacroImage.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(MacroImage, SizeAndOverflowVerdict) {
    EXPECT_EQ(MacroImageSize({10, 20}), 148u);
    EXPECT_EQ(MacroOverflow(148, 128), 6);
    EXPECT_EQ(MacroOverflow(128, 128), 0);
    EXPECT_EQ(MacroOverflow(129, 128), 1);
    EXPECT_EQ(MacroOverflow(16, 0), 5);
    EXPECT_EQ(MacroImageSize({}), 16u);
}

TEST(MacroImage, LayoutIsLittleEndianWithOffsetsAndBlocks) {
    std::vector<std::vector<MacroEventBytes>> macros = {
        {{0x10, 0x00, 0x8A, 0x04}, {0x20, 0x01, 0x0A, 0x04}},
        {{0xFF, 0xFF, 0x81, 0x01}},
    };
    std::vector<uint8_t> image;
    ASSERT_TRUE(BuildMacroImage(macros, image));
    const std::vector<uint8_t> expected = {
        0xAA, 0x55, 40,   0, 2,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0,  // header
        20,   0,    32,   0,                                                              // offsets
        2,    0,    0,    0, 0x10, 0x00, 0x8A, 0x04, 0x20, 0x01, 0x0A, 0x04, 1, 0, 0, 0, 0xFF,
        0xFF, 0x81, 0x01,
    };
    EXPECT_EQ(image, expected);
    EXPECT_EQ(image.size(), MacroImageSize({2, 1}));
}

TEST(MacroImage, ImagesBeyondSixteenBitSizesAreRefused) {
    std::vector<std::vector<MacroEventBytes>> macros(1);
    macros[0].resize(16400);
    std::vector<uint8_t> image{1, 2, 3};
    EXPECT_FALSE(BuildMacroImage(macros, image));
    EXPECT_TRUE(image.empty());
}

}  // namespace
}  // namespace ravo
