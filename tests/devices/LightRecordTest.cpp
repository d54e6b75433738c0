// ctest-labels: asan
#include "devices/LightRecord.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

namespace lr = light_record;
namespace ls = light_settings;

const std::vector<int> kModeValues = {7, 3, 12, 5};

TEST(LightRecord, EncodesProfileLightingAndSystemBytes) {
    LightSettingsBytes light{};
    light[ls::kMode] = 2;
    light[ls::kBrightness] = 3;
    light[ls::kSpeed] = 1;
    light[ls::kDirection] = 1;
    light[ls::kMultiColour] = 1;
    light[ls::kRed] = 10;
    light[ls::kGreen] = 20;
    light[ls::kBlue] = 30;
    light[ls::kLedSubMode] = 2;
    light[ls::kCustomGroup] = 4;
    SystemStageWords sys = {0x00020005u, 0x00030001u, 0x00010001u};
    const LightRecord r = EncodeLightRecord(light, sys, 0, kModeValues);
    const LightRecord expected = {0, 12, 3, 3, 1, 1, 10, 20, 30, 0, 0, 0, 0,
                                  0, 0,  0, 0, 0, 2, 1,  1,  1,  3, 0, 0, 4};
    EXPECT_EQ(r, expected);
}

TEST(LightRecord, ModesWithoutACodeUseTheFirstEntry) {
    struct Case {
        uint8_t mode;
        std::vector<int> values;
        uint8_t sent;
    } cases[] = {{40, kModeValues, 7}, {31, kModeValues, 7}, {9, kModeValues, 7},
                 {3, kModeValues, 5},  {3, {}, 0},           {0, {300}, 300 & 0xFF}};
    for (const auto& c : cases) {
        LightSettingsBytes light{};
        light[ls::kMode] = c.mode;
        EXPECT_EQ(EncodeLightRecord(light, {}, 0, c.values)[lr::kMode], c.sent) << int(c.mode);
    }
}

TEST(LightRecord, ReadRecordTurnsBackIntoTheProgramsTerms) {
    LightRecord r = {9, 5, 4, 1, 0, 1, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 7, 0, 3, 1, 0, 1, 2, 0, 0, 6};
    NormaliseReadRecord(r, 2, kModeValues);
    EXPECT_EQ(r[lr::kProfile], 2);
    EXPECT_EQ(r[lr::kMode], 3);
    EXPECT_EQ(r[lr::kProfileNibble], 0);
    const KeyboardLightCopy c = LightCopyFromRecord(r);
    EXPECT_EQ(c, (KeyboardLightCopy{3, 4, 3, 0, 1, 1, 2, 3, 3, 6}));

    LightSettingsBytes light{};
    light[ls::kCustomGroup] = 9;
    ApplyLightCopy(c, light);
    EXPECT_EQ(light[ls::kMode], 3);
    EXPECT_EQ(light[ls::kSpeed], 3);
    EXPECT_EQ(light[ls::kLedSubMode], 3);
    EXPECT_EQ(light[ls::kCustomGroup], 9);

    SystemStageWords sys = {0x00010002u, 0x00030000u, 0};
    ApplyRecordFlags(r, sys);
    EXPECT_EQ(system_stage::Repeat(sys), 2);
    EXPECT_EQ(system_stage::RepeatDelay(sys), 1);
    EXPECT_EQ(system_stage::PollingRate(sys), 3);  // not taken from the record
    EXPECT_EQ(system_stage::Key6Flag(sys), 0);
    EXPECT_EQ(system_stage::WFlag(sys), 1);
    EXPECT_EQ(system_stage::WinFlag(sys), 1);
}

TEST(LightRecord, UnknownModeCodeStaysAndLevelsAreBounded) {
    LightRecord r{};
    r[lr::kMode] = 99;
    r[lr::kSpeed] = 200;
    r[lr::kBrightness] = 77;
    NormaliseReadRecord(r, 0, kModeValues);
    EXPECT_EQ(r[lr::kMode], 99);
    const KeyboardLightCopy c = LightCopyFromRecord(r);
    EXPECT_EQ(c.speed, 0);
    EXPECT_EQ(c.brightness, 4);
}

}  // namespace
}  // namespace ravo
