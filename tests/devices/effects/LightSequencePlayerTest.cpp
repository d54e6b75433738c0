#include "devices/effects/EffectTables.h"
#include "devices/effects/LightSequencePlayer.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ravo::effects;
using namespace ravo::effects::tables;

namespace {

SequenceStep Step(uint8_t mode, uint32_t timeMs, uint8_t speed = 4, bool multicolour = false) {
    SequenceStep s;
    s.mode = mode;
    s.brightness = 3;
    s.speed = speed;
    s.multicolour = multicolour ? 1 : 0;
    s.red = 40;
    s.green = 50;
    s.blue = 60;
    s.timeMs = timeMs;
    return s;
}

class SequencePlayer : public ::testing::Test {
protected:
    void SetUp() override { LightSequencePlayer::ResetShared(); }
    void Play(uint32_t now, uint8_t deviceSpeed = 0) {
        LightSequencePlayer::Play(SequenceRef{lock, steps, cursor}, lights, deviceSpeed, now);
    }
    std::mutex lock;
    std::vector<SequenceStep> steps;
    int32_t cursor = 0;
    LightBuffer lights{};
};

TEST_F(SequencePlayer, EmptyListShowsAllOff) {
    lights.fill(LightEntry{5, 5, 5, 5});
    cursor = 3;
    Play(100);
    EXPECT_EQ(cursor, 0);
    for (const LightEntry& l : lights) {
        ASSERT_EQ(l, LightEntry{});
    }
}

TEST_F(SequencePlayer, ModeThreeKeepsThePreviousFrameForItsDuration) {
    steps = {Step(3, 500), Step(1, 500)};
    lights.fill(LightEntry{7, 8, 9, 10});
    for (uint32_t t = 1000; t <= 1500; t += 10) {
        Play(t);
        ASSERT_EQ(lights[0], (LightEntry{7, 8, 9, 10})) << t;
        ASSERT_EQ(cursor, 0) << t;
    }
    Play(1501);  // duration exceeded: next entry from the next iteration
    EXPECT_EQ(cursor, 1);
    Play(1502);
    EXPECT_EQ(lights[0], (LightEntry{40, 50, 60, 192}));
    EXPECT_EQ(lights[169], (LightEntry{40, 50, 60, 192}));
}

TEST_F(SequencePlayer, CursorWrapsAndIsRepairedWhenOutOfRange) {
    steps = {Step(1, 0), Step(1, 0)};
    Play(10);
    Play(11);
    EXPECT_EQ(cursor, 1);
    Play(12);
    EXPECT_EQ(cursor, 0);
    cursor = 99;
    Play(13);
    EXPECT_EQ(cursor, 1);  // reset to 0 for the draw, then its (zero) duration passed
}

TEST_F(SequencePlayer, BreatheAdvancesEveryJIterations) {
    steps = {Step(0, 100000, 4)};  // J[4] = 7
    for (int i = 0; i < 6; ++i) {
        Play(1000);
    }
    EXPECT_EQ(lights[0].brightness, 0);  // phase 0
    Play(1000);
    EXPECT_EQ(lights[0],
              (LightEntry{40, 50, 60, static_cast<uint8_t>((192 * kBreath128[1]) >> 8)}));
}

TEST_F(SequencePlayer, WaveAndSpectrum) {
    steps = {Step(4, 100000, 4, true)};
    for (int i = 0; i < 7; ++i) {
        Play(1000);
    }
    // phase 1, direction 0: lights start at W[2] and step by 12.
    EXPECT_EQ(lights[0], (LightEntry{kWheel[2].r, kWheel[2].g, kWheel[2].b, 192}));
    EXPECT_EQ(lights[1], (LightEntry{kWheel[14].r, kWheel[14].g, kWheel[14].b, 192}));

    LightSequencePlayer::ResetShared();
    steps = {Step(5, 100000, 4)};  // interval row 1 at speed 4: every iteration
    Play(1000);
    EXPECT_EQ(lights[3], (LightEntry{kWheel[1].r, kWheel[1].g, kWheel[1].b, 192}));
}

TEST_F(SequencePlayer, FlashUsesTheDeviceSpeed) {
    steps = {Step(2, 100000, 0, false)};
    Play(10000, 4);  // toggles on at once
    EXPECT_EQ(lights[0], (LightEntry{40, 50, 60, 192}));
    Play(10000 + kSlowInterval[4] * 200u - 1, 4);
    EXPECT_EQ(lights[0].brightness, 192);
    Play(10000 + kSlowInterval[4] * 200u, 4);
    EXPECT_EQ(lights[0], LightEntry{});
}

}  // namespace
