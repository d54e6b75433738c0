#include "app/GameLighting.h"
#include "app/LightControlStatus.h"

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

struct FakeLights : GameLightingDevice {
    Settings settings{};
    std::vector<int> panelModes;
    int resumed = 0, saved = 0, pushed = 0;
    void ResumeLightOutput() override { ++resumed; }
    void SelectPanelMode(int mode) override { panelModes.push_back(mode); }
    Settings GetLightSettings() const override { return settings; }
    void SetLightSettings(const Settings& s) override { settings = s; }
    void SaveProfile() override { ++saved; }
    void PushLighting() override { ++pushed; }
};

struct GameLightingTest : ::testing::Test {
    FakeLights device;
    GameLightingDevice* current = &device;
    std::vector<std::pair<int, int>> timers;
    GameLighting game{[this] { return current; },
                      [this](int id, int ms) { timers.emplace_back(id, ms); }};
};

TEST_F(GameLightingTest, EventSetsModeAndRestoreBringsBackTheStoredOne) {
    device.settings[0] = 4;
    device.settings[13] = 4;
    game.OnGameEvent(1, 0x107);
    EXPECT_EQ(device.settings[0], 7);  // low byte of lParam
    EXPECT_EQ(device.settings[13], 4);
    EXPECT_EQ(device.panelModes, (std::vector<int>{7}));
    EXPECT_EQ(device.saved, 1);
    EXPECT_EQ(device.pushed, 1);
    EXPECT_EQ(device.resumed, 1);
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0], std::make_pair(1066, 5000));

    game.OnRestoreTimer();
    EXPECT_EQ(device.settings[0], 4);
    EXPECT_EQ(device.panelModes.back(), 4);
    EXPECT_EQ(device.saved, 2);
    EXPECT_EQ(device.pushed, 2);
}

TEST_F(GameLightingTest, OtherWParamOrNoDeviceOnlyRestartsTheTimer) {
    game.OnGameEvent(3, 5);
    current = nullptr;
    game.OnGameEvent(0, 5);
    game.OnRestoreTimer();
    EXPECT_EQ(device.saved, 0);
    EXPECT_EQ(device.settings[0], 0);
    EXPECT_EQ(timers.size(), 2u);
}

TEST(LightControlStatus, ToggleSetAndSuspend) {
    std::vector<int> broadcasts, applied;
    QString label;
    LightControlStatus status({[&](int on) { broadcasts.push_back(on); },
                               [&](const QString& t) { label = t; },
                               [&](int s) { applied.push_back(s); }});
    EXPECT_EQ(status.Status(), 1);
    status.Toggle();
    EXPECT_EQ(status.Status(), 0);
    EXPECT_EQ(label, QStringLiteral("不控制灯光"));
    status.Toggle();
    EXPECT_EQ(broadcasts, (std::vector<int>{0, 1}));
    EXPECT_EQ(label, QStringLiteral("控制灯光"));

    status.OnSetMessage(1, 0);  // no broadcast
    EXPECT_EQ(status.Status(), 0);
    EXPECT_EQ(broadcasts.size(), 2u);
    label.clear();
    status.OnSetMessage(1, 7);  // unchanged, label untouched, devices told again
    EXPECT_EQ(status.Status(), 0);
    EXPECT_TRUE(label.isEmpty());
    status.OnSetMessage(2, 1);  // ignored
    EXPECT_EQ(status.Status(), 0);
    EXPECT_EQ(applied, (std::vector<int>{0, 1, 0, 0}));

    status.OnSetMessage(1, 1);
    status.OnSuspend();
    status.OnResume();
    EXPECT_EQ(applied, (std::vector<int>{0, 1, 0, 0, 1, 0, 1}));
}

}  // namespace
}  // namespace ravo
