// ctest-labels: asan
#include "devices/KeyboardKeyMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace ravo {
namespace {

struct DefaultCase {
    int key;
    KeyCodeBytes code;
};

TEST(KeyboardDefaultCodes, RunsAndSingleCodes) {
    const DefaultCase cases[] = {
        {0, {0x20, 0x00, 0x29}},
        {1, {0x20, 0x00, 0x3A}},
        {15, {0x20, 0x00, 0x48}},
        {16, {0xA0, 0x1B, 0x00}},
        {18, {0x20, 0x00, 0x00}},
        {20, {0x20, 0x00, 0x00}},
        {31, {0x20, 0x00, 0x27}},
        {41, {0x20, 0x00, 0x56}},
        {61, {0x20, 0x00, 0x61}},
        {84, {0x20, 0x02, 0x00}},
        {99, {0x20, 0x00, 0x5B}},
        {104, {0x20, 0x00, 0x00}},
        {110, {0xA0, 0x01, 0x00}},
        {120, {0xD0, 0xA2, 0x01}},
        {124, {0xD0, 0xA2, 0x05}},
        {125, {0x20, 0x80, 0x00}},
        {-1, {}},
        {126, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KeyboardDefaultCode(c.key), c.code) << "key " << c.key;
    }
}

// A key table listing the given key numbers' codes in the given order.
KeyTableImage TableOf(const std::vector<int>& keys) {
    KeyTableImage t{};
    for (size_t i = 0; i < keys.size(); ++i) {
        const KeyCodeBytes c = KeyboardDefaultCode(keys[i]);
        t[3 * i] = c.type;
        t[3 * i + 1] = c.p1;
        t[3 * i + 2] = c.p2;
    }
    return t;
}

TEST(KeyboardKeyMap, FindsEachKeyInTheKeyboardsOwnOrder) {
    std::vector<int> order(kKeyboardKeyNumbers);
    std::iota(order.begin(), order.end(), 0);
    std::mt19937 rng(7);
    std::shuffle(order.begin(), order.end(), rng);
    KeyTableImage leds{};
    for (size_t e = 0; e < order.size(); ++e) {
        leds[e] = static_cast<uint8_t>(127 - e % 128);
    }
    KeyboardKeyMap map;
    map.Build(TableOf(order), leds, kKeyboardKeyNumbers);

    // Keys sharing the zero code (18, 19, 20, 104) all take the first entry with it.
    const auto firstZero = std::min({std::find(order.begin(), order.end(), 18),
                                     std::find(order.begin(), order.end(), 19),
                                     std::find(order.begin(), order.end(), 20),
                                     std::find(order.begin(), order.end(), 104)}) -
                           order.begin();
    for (int key = 0; key < kKeyboardKeyNumbers; ++key) {
        const bool zeroCode = key == 18 || key == 19 || key == 20 || key == 104;
        const size_t entry =
            zeroCode
                ? static_cast<size_t>(firstZero)
                : static_cast<size_t>(std::find(order.begin(), order.end(), key) - order.begin());
        EXPECT_EQ(map.Position(key), entry) << "key " << key;
        EXPECT_EQ(map.Led(key), leds[entry]) << "key " << key;
    }
    EXPECT_EQ(map.PositionMap().size(), 126u);
}

TEST(KeyboardKeyMap, KeyMissingFromTheTableHasNeitherPositionNorLed) {
    KeyTableImage leds{};
    leds.fill(9);
    KeyboardKeyMap map;
    map.Build(TableOf({0, 1, 2, 64}), leds, 4);
    EXPECT_EQ(map.Position(64), 3);
    EXPECT_EQ(map.Position(65), kNoKeyMapEntry);
    EXPECT_EQ(map.Led(65), kNoKeyMapEntry);
    EXPECT_FALSE(map.HasPosition(65));
    EXPECT_EQ(map.Position(500), kNoKeyMapEntry);
    EXPECT_EQ(map.Led(-3), kNoKeyMapEntry);
}

TEST(KeyboardKeyMap, OnlyEntriesWithinTheReportedCountAreMatched) {
    KeyTableImage leds{};
    KeyboardKeyMap map;
    map.Build(TableOf({0, 1, 2, 64}), leds, 3);
    EXPECT_EQ(map.Position(64), kNoKeyMapEntry);
}

TEST(KeyboardKeyMap, UntrustedKeyCountsStayInsideTheImage) {
    // A table whose last whole entry (169) carries key 64's code, and junk after it.
    KeyTableImage table{};
    table.fill(0xEE);
    const KeyCodeBytes a = KeyboardDefaultCode(64);
    table[3 * 169] = a.type;
    table[3 * 169 + 1] = a.p1;
    table[3 * 169 + 2] = a.p2;
    KeyTableImage leds{};
    leds[169] = 42;
    for (int count : {170, 171, 255, 100000, -1}) {
        KeyboardKeyMap map;
        map.Build(table, leds, count);
        if (count >= 170) {
            EXPECT_EQ(map.Position(64), 169) << count;
            EXPECT_EQ(map.Led(64), 42) << count;
        } else {
            EXPECT_EQ(map.Position(64), kNoKeyMapEntry) << count;
        }
    }
}

}  // namespace
}  // namespace ravo
