#include "devices/effects/EffectTables.h"
#include "devices/effects/SoftwareLighting.h"

#include <gtest/gtest.h>

using namespace ravo::effects;
using namespace ravo::effects::tables;

namespace {

class CountingObserver : public LightingObserver {
public:
    void OnLightingChanged() override { ++changes; }
    int changes = 0;
};

EffectSettings Settings(uint8_t mode) {
    EffectSettings s;
    s.mode = mode;
    s.brightness = 4;
    s.direction = 1;
    s.red = 5;
    return s;
}

TEST(SoftwareLighting, PublishesFinishedFramesOnly) {
    SoftwareLighting lighting;
    lighting.SetSettings(Settings(4));
    lighting.SetLightCopy({4, 0});
    LightOverride fixed;
    fixed.mode = 1;
    fixed.brightness = 4;
    fixed.red = 77;
    std::vector<LightOverride> list(4);
    list[3] = fixed;
    lighting.ReplaceOverrides(list);

    LightBuffer frame;
    const uint64_t before = lighting.CopyFrame(frame);
    lighting.RunTick(1, 1, 0);
    const uint64_t after = lighting.CopyFrame(frame);
    EXPECT_EQ(after, before + 1);
    EXPECT_EQ(frame[0], (LightEntry{kWheel[1].r, kWheel[1].g, kWheel[1].b, 255}));
    EXPECT_EQ(frame[3], (LightEntry{77, 0, 0, 255}));

    // No step due and nothing animated: the same frame, the same generation.
    lighting.RunTick(0, 1, 0);
    EXPECT_EQ(lighting.CopyFrame(frame), after);
}

TEST(SoftwareLighting, PacingFollowsTheLightCopy) {
    SoftwareLighting lighting;
    lighting.SetLightCopy({4, 0});
    EXPECT_EQ(lighting.CurrentPacing().kind, ModePacing::Interval);
    EXPECT_EQ(lighting.CurrentPacing().interval, 5);
    EXPECT_FALSE(lighting.CurrentPacing().still);
    lighting.SetLightCopy({6, 4});
    EXPECT_EQ(lighting.CurrentPacing().interval, 1);
    EXPECT_TRUE(lighting.CurrentPacing().still);
    LightOverride breathing;
    breathing.present = 1;  // mode 0 = breathe
    lighting.ReplaceOverrides({breathing});
    EXPECT_FALSE(lighting.CurrentPacing().still);
    lighting.SetLightCopy({0, 4});
    EXPECT_EQ(lighting.CurrentPacing().kind, ModePacing::Player);
    lighting.SetLightCopy({29, 0});
    EXPECT_EQ(lighting.CurrentPacing().kind, ModePacing::Music);
    EXPECT_EQ(lighting.CurrentPacing().interval, 2);
}

TEST(SoftwareLighting, PlayerModesPlayTheSequence) {
    LightSequencePlayer::ResetShared();
    SoftwareLighting lighting;
    lighting.SetSettings(Settings(19));
    lighting.SetLightCopy({19, 0});
    SequenceStep s;
    s.mode = 1;
    s.brightness = 2;
    s.green = 99;
    s.timeMs = 1000;
    lighting.ReplaceSequence({s, s});
    lighting.RunTick(1, 3, 500);
    LightBuffer frame;
    lighting.CopyFrame(frame);
    EXPECT_EQ(frame[100], (LightEntry{0, 99, 0, 128}));
    lighting.RunTick(0, 1, 1501);
    EXPECT_EQ(lighting.SequenceCursor(), 1);
    lighting.ReplaceSequence({s});
    EXPECT_EQ(lighting.SequenceCursor(), 0);
}

TEST(SoftwareLighting, TellsTheObserverAboutChanges) {
    SoftwareLighting lighting;
    CountingObserver observer;
    lighting.SetObserver(&observer);
    lighting.SetSettings(Settings(4));
    lighting.SetLightCopy({4, 1});
    lighting.StartMode(4);
    lighting.ReplaceOverrides({});
    lighting.ReplaceSequence({});
    lighting.Mutate([](EffectEngine& e) { e.TriggerKey(49, 1); });
    EXPECT_EQ(observer.changes, 6);
    lighting.RunTick(1, 1, 0);  // the light thread's own work is no change to report
    EXPECT_EQ(observer.changes, 6);
    lighting.SetObserver(nullptr);
}

}  // namespace
