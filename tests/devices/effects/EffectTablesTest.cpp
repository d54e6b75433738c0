#include "devices/effects/EffectTables.h"

#include <gtest/gtest.h>

#include <set>

using namespace ravo::effects;
using namespace ravo::effects::tables;

namespace {

TEST(EffectTables, ColourWheelRampsAndRepeat) {
    struct Case {
        size_t index;
        Rgb colour;
    };
    const Case cases[] = {
        {0, {255, 1, 0}},   {31, {255, 255, 0}},  {32, {248, 255, 0}},  {63, {0, 255, 0}},
        {64, {0, 255, 1}},  {95, {0, 255, 255}},  {96, {0, 248, 255}},  {127, {0, 0, 255}},
        {128, {1, 0, 255}}, {159, {255, 0, 255}}, {160, {255, 0, 248}}, {191, {255, 0, 0}},
        {192, {255, 1, 0}}, {224, {248, 255, 0}}, {255, {0, 255, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kWheel[c.index], c.colour) << "W[" << c.index << "]";
    }
}

TEST(EffectTables, Curves) {
    EXPECT_EQ(kBreath128[0], 0);
    EXPECT_EQ(kBreath128[63], 255);
    EXPECT_EQ(kBreath128[64], 255);
    EXPECT_EQ(kBreath128[127], 0);
    EXPECT_EQ(kBreath128[16], 22);
    EXPECT_EQ(kBreath96[0], 22);
    EXPECT_EQ(kBreath96[47], 255);
    EXPECT_EQ(kBreath96[48], 255);
    EXPECT_EQ(kBreath96[95], 22);
    EXPECT_EQ(kPulse[24], 255);
    EXPECT_EQ(kPulse[86], 2);
    EXPECT_EQ(kPulse[87], 1);
    for (size_t i = 88; i < kPulse.size(); ++i) {
        EXPECT_EQ(kPulse[i], 0) << i;
    }
}

TEST(EffectTables, LightTablesOnlyHoldLightsOrNone) {
    std::set<int> inMatrix;
    for (const auto& column : kMatrix) {
        for (uint8_t k : column) {
            ASSERT_LE(k, kNoLight);
            if (k != kNoLight) {
                EXPECT_TRUE(inMatrix.insert(k).second) << "light " << int(k) << " twice in M";
            }
        }
    }
    std::set<int> ordered;
    for (size_t i = 0; i < kKeyOrder.size(); ++i) {
        if (i < 107) {
            ASSERT_LT(kKeyOrder[i], kNoLight);
            EXPECT_TRUE(ordered.insert(kKeyOrder[i]).second);
        } else {
            EXPECT_EQ(kKeyOrder[i], kNoLight);
        }
    }
    for (uint8_t r : kRandomKeys) {
        EXPECT_LT(r, 111);
    }
    for (uint8_t k : kSnake) {
        EXPECT_LE(k, kNoLight);
    }
    for (const auto& frame : kRippleFrames) {
        for (uint8_t k : frame.lights) {
            EXPECT_LE(k, kNoLight);
        }
    }
    for (const auto& column : kPulseStart) {
        for (uint8_t k : column) {
            EXPECT_TRUE(k < kLightCount || k == kNoStart);
        }
    }
    // Spot checks of the transcriptions.
    EXPECT_EQ(kMatrix[22][5], 131);
    EXPECT_EQ(kMatrix[13][3], 62);
    EXPECT_EQ(kKeyOrder[106], 77);
    EXPECT_EQ(kSnake[109], 105);
    EXPECT_EQ(kSnake[110], kNoLight);
    EXPECT_EQ(kRings[11].lights[3], 15);
    EXPECT_EQ(kRings[11].lights[4], kNoLight);
    EXPECT_EQ(kRippleFrames[51].lights[8], 120);
    EXPECT_EQ(kTwinklePhase[138], 0);
    EXPECT_EQ(kScriptRows[19].lights[0], kNoLight);
    EXPECT_EQ(kRandomKeys[110], 63);
}

}  // namespace
