#include "devices/effects/EffectTables.h"
#include "devices/effects/LightOverrides.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ravo::effects;
using namespace ravo::effects::tables;

namespace {

LightOverride Entry(uint8_t mode, uint8_t speed, bool multicolour, bool present = true) {
    LightOverride e;
    e.mode = mode;
    e.brightness = 4;
    e.speed = speed;
    e.multicolour = multicolour ? 1 : 0;
    e.red = 1;
    e.green = 2;
    e.blue = 3;
    e.present = present ? 1 : 0;
    return e;
}

LightBuffer Filled() {
    LightBuffer b;
    b.fill(LightEntry{9, 9, 9, 9});
    return b;
}

TEST(LightOverrides, StaticAndOffPaintWhateverThePresentFlag) {
    std::vector<LightOverride> list = {Entry(1, 0, false, false), Entry(4, 0, false, false),
                                       Entry(0, 0, false, false), Entry(3, 0, false, false)};
    LightOverrides::Restart(list);
    LightBuffer b = Filled();
    LightOverrides::Apply(list, b, 1000);
    EXPECT_EQ(b[0], (LightEntry{1, 2, 3, 255}));
    EXPECT_EQ(b[1], LightEntry{});
    EXPECT_EQ(b[2], (LightEntry{9, 9, 9, 9}));  // breathe and spectrum need the present flag
    EXPECT_EQ(b[3], (LightEntry{9, 9, 9, 9}));
    EXPECT_EQ(b[4], (LightEntry{9, 9, 9, 9}));  // no entry
}

TEST(LightOverrides, BreatheAdvancesBySpeedPlusFour) {
    std::vector<LightOverride> list = {Entry(0, 0, false), Entry(0, 4, true)};
    LightOverrides::Restart(list);
    LightBuffer b = Filled();
    LightOverrides::Apply(list, b, 0);
    EXPECT_EQ(b[0], (LightEntry{1, 2, 3, static_cast<uint8_t>((255 * kBreath128[4]) >> 8)}));
    EXPECT_EQ(b[1].brightness, (255 * kBreath128[8]) >> 8);
    // 32 iterations of 4 close the breath at 128: phase back to 0, next colour.
    LightOverrides::Restart(list);
    LightOverrides::Apply(list, b, 0, 32);
    EXPECT_EQ(b[0].brightness, 0);
    LightOverrides::Restart(list);
    LightOverrides::Apply(list, b, 0, 16);  // 16 x 8 = 128
    EXPECT_EQ(b[1], (LightEntry{kWheel[1].r, kWheel[1].g, kWheel[1].b, 0}));
}

TEST(LightOverrides, BatchedIterationsMatchSingleOnes) {
    std::vector<LightOverride> list = {Entry(0, 2, true), Entry(3, 4, false)};
    LightBuffer single = Filled();
    LightOverrides::Restart(list);
    for (int i = 0; i < 50; ++i) {
        LightOverrides::Apply(list, single, 0);
    }
    LightBuffer batched = Filled();
    LightOverrides::Restart(list);
    LightOverrides::Apply(list, batched, 0, 20);
    LightOverrides::Apply(list, batched, 0, 30);
    EXPECT_EQ(single[0], batched[0]);
    EXPECT_EQ(single[1], batched[1]);
}

TEST(LightOverrides, SpectrumStepsEveryJIterations) {
    std::vector<LightOverride> list = {Entry(3, 4, false)};  // J[4] = 7
    LightOverrides::Restart(list);
    LightBuffer b = Filled();
    LightOverrides::Apply(list, b, 0, 6);
    EXPECT_EQ(b[0], (LightEntry{kWheel[0].r, kWheel[0].g, kWheel[0].b, 255}));
    LightOverrides::Apply(list, b, 0, 1);
    EXPECT_EQ(b[0], (LightEntry{kWheel[1].r, kWheel[1].g, kWheel[1].b, 255}));
}

TEST(LightOverrides, FlashKeepsTimeAndPaintsModeTwo) {
    std::vector<LightOverride> list = {Entry(2, 1, true)};
    LightOverrides::Restart(list);
    const uint32_t interval = kSlowInterval[1] * 200u;
    LightBuffer b = Filled();
    LightOverrides::Apply(list, b, 50000);
    EXPECT_EQ(b[0], (LightEntry{kWheel[14].r, kWheel[14].g, kWheel[14].b, 255}));
    LightOverrides::Apply(list, b, 50000 + interval - 1);
    EXPECT_EQ(b[0].brightness, 255);
    LightOverrides::Apply(list, b, 50000 + interval);
    EXPECT_EQ(b[0], LightEntry{});
}

TEST(LightOverrides, AnimatedAndLongLists) {
    EXPECT_FALSE(LightOverrides::IsAnimated(std::vector<LightOverride>{Entry(1, 0, false)}));
    EXPECT_FALSE(LightOverrides::IsAnimated(std::vector<LightOverride>{Entry(0, 0, false, false)}));
    EXPECT_TRUE(LightOverrides::IsAnimated(std::vector<LightOverride>{Entry(0, 0, false)}));
    EXPECT_TRUE(LightOverrides::IsAnimated(std::vector<LightOverride>{Entry(2, 0, false, false)}));
    // A file with more entries than lights only reaches the 170 lights.
    std::vector<LightOverride> list(400, Entry(1, 0, false));
    list[0].speed = 250;
    LightOverrides::Restart(list);
    LightBuffer b = Filled();
    LightOverrides::Apply(list, b, 0, 64);
    EXPECT_EQ(b[169], (LightEntry{1, 2, 3, 255}));
}

}  // namespace
