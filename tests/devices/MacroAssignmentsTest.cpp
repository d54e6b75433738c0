// ctest-labels: asan
#include "devices/KeyTableComposer.h"
#include "devices/MacroAssignments.h"

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

// Every key number at entry = key number, LED = key number.
KeyboardKeyMap IdentityMap(int keys = kKeyboardKeyNumbers) {
    KeyTableImage table{};
    KeyTableImage leds{};
    for (int k = 0; k < keys; ++k) {
        const KeyCodeBytes c = KeyboardDefaultCode(k);
        table[3 * k] = c.type;
        table[3 * k + 1] = c.p1;
        // Keys 18, 19, 20 and 104 share a code; give them distinct ones so every key maps.
        table[3 * k + 2] = c.p2 == 0 && c.p1 == 0 ? static_cast<uint8_t>(0xF0 + k % 8) : c.p2;
        leds[static_cast<size_t>(k)] = static_cast<uint8_t>(k);
    }
    KeyboardKeyMap map;
    map.Build(table, leds, keys);
    return map;
}

std::vector<KeyAssignmentPair> Defaults() {
    std::vector<KeyAssignmentPair> keys(kKeyboardKeyNumbers);
    for (int k = 0; k < kKeyboardKeyNumbers; ++k) {
        keys[static_cast<size_t>(k)] = {KeyboardDefaultCode(k), KeyboardDefaultCode(k)};
    }
    return keys;
}

TEST(MacroAssignments, MacrosAreNumberedByTheFirstKeyUsingThem) {
    auto keys = Defaults();
    keys[70].current = {0x70, 4, 1};
    keys[10].current = {0x71, 2, 3};
    keys[40].current = {0x70, 4, 0};
    keys[90].current = {0x70, 2, 2};
    const KeyboardKeyMap map = IdentityMap();
    EXPECT_EQ(CollectAssignedMacros(keys, map, 5), (std::vector<int>{2, 4}));

    KeyTableImage read{};
    KeyTableImage image{};
    auto copy = keys;
    ASSERT_EQ(ComposeKeyTable(read, kKeyboardKeyNumbers, map, copy, 5, image),
              3 * kKeyboardKeyNumbers);
    auto at = [&](int key) {
        const size_t p = map.Position(key) * 3u;
        return KeyCodeBytes{image[p], image[p + 1], image[p + 2]};
    };
    EXPECT_EQ(at(10), (KeyCodeBytes{0x71, 0, 3}));
    EXPECT_EQ(at(90), (KeyCodeBytes{0x70, 0, 2}));
    EXPECT_EQ(at(40), (KeyCodeBytes{0x70, 1, 0}));
    EXPECT_EQ(at(70), (KeyCodeBytes{0x70, 1, 1}));
    EXPECT_EQ(at(0), KeyboardDefaultCode(0));
}

TEST(MacroAssignments, KeysWithoutPositionNeitherNumberNorWrite) {
    auto keys = Defaults();
    keys[100].current = {0x70, 0, 0};  // key 100 lies beyond the 64 keys the table has
    keys[50].current = {0x70, 1, 0};
    const KeyboardKeyMap map = IdentityMap(64);
    EXPECT_EQ(CollectAssignedMacros(keys, map, 3), (std::vector<int>{1}));
    KeyTableImage read{};
    read.fill(0xAB);
    KeyTableImage image{};
    ASSERT_EQ(ComposeKeyTable(read, 64, map, keys, 3, image), 192);
    EXPECT_EQ(image[3 * 50 + 1], 0);  // renumbered to the first used macro
    EXPECT_EQ(image[192], 0);         // nothing beyond the table
    EXPECT_EQ(keys[100].current, (KeyCodeBytes{0x70, 0, 0}));
}

TEST(MacroAssignments, DeletedMacroIsWrittenAsDefaultAndRepaired) {
    auto keys = Defaults();
    keys[64].current = {0x70, 5, 1};  // only 3 macros exist
    keys[65].current = {0x71, 2, 4};
    const KeyboardKeyMap map = IdentityMap();
    EXPECT_EQ(CollectAssignedMacros(keys, map, 3), (std::vector<int>{2}));

    auto copy = keys;
    KeyTableImage read{};
    KeyTableImage image{};
    ComposeKeyTable(read, kKeyboardKeyNumbers, map, copy, 3, image);
    EXPECT_EQ((KeyCodeBytes{image[3 * 64], image[3 * 64 + 1], image[3 * 64 + 2]}),
              KeyboardDefaultCode(64));
    EXPECT_EQ(copy[64].current, KeyboardDefaultCode(64));
    EXPECT_EQ((KeyCodeBytes{image[3 * 65], image[3 * 65 + 1], image[3 * 65 + 2]}),
              (KeyCodeBytes{0x71, 0, 4}));
    // The caller's stored list is not the copy that was written.
    EXPECT_EQ(keys[64].current, (KeyCodeBytes{0x70, 5, 1}));

    EXPECT_TRUE(RepairMacroAssignments(keys, 3));
    EXPECT_EQ(keys[64].current, KeyboardDefaultCode(64));
    EXPECT_EQ(keys[65].current, (KeyCodeBytes{0x71, 2, 4}));
    EXPECT_FALSE(RepairMacroAssignments(keys, 3));
}

TEST(KeyTableComposer, UntrustedKeyCountsAreRefusedOrBounded) {
    auto keys = Defaults();
    const KeyboardKeyMap map = IdentityMap();
    KeyTableImage read{};
    read.fill(0x5A);
    KeyTableImage image{};
    EXPECT_EQ(ComposeKeyTable(read, 171, map, keys, 0, image), 0);
    EXPECT_EQ(ComposeKeyTable(read, 255, map, keys, 0, image), 0);
    EXPECT_EQ(ComposeKeyTable(read, -4, map, keys, 0, image), 0);
    ASSERT_EQ(ComposeKeyTable(read, 170, map, keys, 0, image), 510);
    EXPECT_EQ(image[509], 0x5A);
    EXPECT_EQ(image[510], 0);
    // The keyboard now reports fewer keys than when the map was built: later keys are skipped.
    ASSERT_EQ(ComposeKeyTable(read, 10, map, keys, 0, image), 30);
    EXPECT_EQ(image[30], 0);
    EXPECT_EQ(image[3 * 9 + 2], KeyboardDefaultCode(9).p2);
}

}  // namespace
}  // namespace ravo
