// ctest-labels: asan
#include "devices/effects/CustomLights.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace ravo::effects;

namespace {

class FakeHost : public CustomLightsHost {
public:
    int ProfileCustomGroup() const override { return profileGroup; }
    void SetProfileCustomGroup(int group) override { profileGroup = group; }
    bool LoadCustomGroup(int group, std::span<LightEntry> out) override {
        auto it = groups.find(group);
        if (it == groups.end()) {
            return false;
        }
        std::copy(it->second.begin(), it->second.end(), out.begin());
        return true;
    }
    void StoreCustomGroup(int group, std::span<const LightEntry> colours) override {
        std::copy(colours.begin(), colours.end(), groups[group].begin());
        ++stores;
    }
    void SaveProfile() override { ++saves; }
    int PanelCustomGroup() const override { return panelGroup; }
    void SetPanelCustomGroup(int group) override { panelGroup = group; }
    uint8_t LedOfLight(size_t light) const override {
        auto it = leds.find(light);
        return it == leds.end() ? 255 : it->second;
    }
    size_t KeyTableEntries() const override { return entries; }
    bool IsWirelessLink() const override { return wireless; }
    int WriteCustomColours(uint32_t address, const uint8_t* data, size_t length) override {
        writes.push_back({address, std::vector<uint8_t>(data, data + length)});
        return writeResult;
    }
    void PauseAfterFailedUpload() override { ++pauses; }

    struct Write {
        uint32_t address;
        std::vector<uint8_t> bytes;
    };
    int profileGroup = 0;
    int panelGroup = -1;
    std::map<int, LightBuffer> groups;
    std::map<size_t, uint8_t> leds{{0, 5}, {1, 7}, {2, 200}, {130, 9}};
    size_t entries = 126;
    bool wireless = false;
    int writeResult = 1;
    std::vector<Write> writes;
    int stores = 0;
    int saves = 0;
    int pauses = 0;
};

class CustomLightsFixture : public ::testing::Test {
protected:
    void SetUp() override {
        EffectSettings s;
        s.mode = 20;
        s.brightness = 4;
        s.red = 100;
        s.green = 110;
        s.blue = 120;
        s.customGroup = 1;
        lighting.SetSettings(s);
    }
    LightBuffer Frame() {
        LightBuffer b;
        lighting.CopyFrame(b);
        return b;
    }
    SoftwareLighting lighting;
    FakeHost host;
};

TEST_F(CustomLightsFixture, StartLoadsTheGroupTellsThePanelAndUploadsScaled) {
    LightBuffer page{};
    page[0] = LightEntry{200, 100, 50, 128};
    page[1] = LightEntry{10, 20, 30, 255};
    page[2] = LightEntry{1, 1, 1, 255};  // its LED is beyond the page
    host.groups[3] = page;
    host.profileGroup = 3;
    CustomLights::Start(lighting, host);
    EXPECT_EQ(host.panelGroup, 3);
    EXPECT_EQ(Frame()[0], page[0]);
    ASSERT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.writes[0].address, 512u);  // light settings' custom group 1
    ASSERT_EQ(host.writes[0].bytes.size(), 126u * 3);
    EXPECT_EQ(host.writes[0].bytes[15], 100);  // 200 x 128 >> 8 at 3 x LED 5
    EXPECT_EQ(host.writes[0].bytes[16], 50);
    EXPECT_EQ(host.writes[0].bytes[21], 9);  // 10 x 255 >> 8 at LED 7
}

TEST_F(CustomLightsFixture, UploadOnlyInModeTwentyAndPausesAfterAFailure) {
    host.writeResult = 0;
    CustomLights::Upload(lighting, host);
    EXPECT_EQ(host.pauses, 1);
    EffectSettings s = lighting.Settings();
    s.mode = 4;
    lighting.SetSettings(s);
    CustomLights::Upload(lighting, host);
    EXPECT_EQ(host.writes.size(), 1u);
    // A key table larger than the page is sent as one page, never past it.
    s.mode = 20;
    lighting.SetSettings(s);
    host.entries = 255;
    host.writeResult = 1;
    CustomLights::Upload(lighting, host);
    EXPECT_EQ(host.writes.back().bytes.size(), 512u);
}

TEST_F(CustomLightsFixture, PaintKeyWithoutAGroupOnlyChangesTheKeys) {
    host.panelGroup = -1;
    CustomLights::PaintKey(lighting, host, 1);
    EXPECT_EQ(Frame()[1].c0, 100);
    EXPECT_EQ(Frame()[1].c2, 120);
    EXPECT_EQ(host.stores, 0);
    EXPECT_EQ(host.saves, 0);
    EXPECT_TRUE(host.writes.empty());
}

TEST_F(CustomLightsFixture, PaintKeyStoresSavesAndSendsTheUnscaledPage) {
    host.panelGroup = 2;
    CustomLights::PaintKey(lighting, host, 0);
    EXPECT_EQ(host.stores, 1);
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.groups[2][0], (LightEntry{100, 110, 120, 0}));
    ASSERT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.writes[0].address, 512u);
    EXPECT_EQ(host.writes[0].bytes[15], 100);  // not scaled by the (zero) brightness
    EXPECT_EQ(host.writes[0].bytes[17], 120);
    EXPECT_EQ(host.writes[0].bytes[27], 0);  // light 130 is no key: not on the page

    host.wireless = true;
    CustomLights::PaintKey(lighting, host, 1);
    EXPECT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.saves, 2);
}

TEST_F(CustomLightsFixture, PaintKeyRefusesOtherModesAndBadLights) {
    host.panelGroup = 2;
    CustomLights::PaintKey(lighting, host, 170);
    CustomLights::PaintKey(lighting, host, -1);
    EffectSettings s = lighting.Settings();
    s.mode = 6;
    lighting.SetSettings(s);
    CustomLights::PaintKey(lighting, host, 0);
    EXPECT_EQ(Frame()[0], LightEntry{});
    EXPECT_EQ(host.stores, 0);
    EXPECT_TRUE(host.writes.empty());
}

TEST_F(CustomLightsFixture, FillKeepsBrightnessUploadsAndStores) {
    lighting.Mutate([](EffectEngine& e) { e.Lights().fill(LightEntry{1, 2, 3, 77}); });
    host.panelGroup = 4;
    CustomLights::Fill(lighting, host, 1);
    EXPECT_EQ(Frame()[9], (LightEntry{100, 110, 120, 77}));
    EXPECT_EQ(host.writes.size(), 1u);
    EXPECT_EQ(host.groups[4][9], (LightEntry{100, 110, 120, 77}));
    EXPECT_EQ(host.saves, 1);
    host.panelGroup = -1;
    CustomLights::Fill(lighting, host, 0);
    EXPECT_EQ(Frame()[9], (LightEntry{0, 0, 0, 77}));
    EXPECT_EQ(host.saves, 1);
    EXPECT_EQ(host.writes.size(), 2u);
}

TEST_F(CustomLightsFixture, SetGroupTellsPanelAndProfile) {
    CustomLights::SetGroup(host, 5);
    EXPECT_EQ(host.panelGroup, 5);
    EXPECT_EQ(host.profileGroup, 5);
}

}  // namespace
