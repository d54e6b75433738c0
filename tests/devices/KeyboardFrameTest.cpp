// ctest-labels: asan
#include "devices/KeyboardFrame.h"

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

// Keys 0, 1, 2 and 64 in the keyboard's table at entries 0..3 with the given LEDs.
KeyboardKeyMap MapWithLeds(uint8_t led0, uint8_t led1, uint8_t led2, uint8_t led64) {
    KeyTableImage table{};
    const int keys[] = {0, 1, 2, 64};
    for (int e = 0; e < 4; ++e) {
        const KeyCodeBytes c = KeyboardDefaultCode(keys[e]);
        table[3 * e] = c.type;
        table[3 * e + 1] = c.p1;
        table[3 * e + 2] = c.p2;
    }
    KeyTableImage leds{};
    leds[0] = led0;
    leds[1] = led1;
    leds[2] = led2;
    leds[3] = led64;
    KeyboardKeyMap map;
    map.Build(table, leds, 4);
    return map;
}

std::vector<LightEntry> Lights() {
    std::vector<LightEntry> lights(170);
    for (size_t i = 0; i < lights.size(); ++i) {
        lights[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(i + 1),
                     static_cast<uint8_t>(i + 2), 255};
    }
    lights[1].brightness = 128;
    return lights;
}

TEST(KeyboardFrame, EachKeyColourGoesToItsLedScaled) {
    const auto lights = Lights();
    LiveFrame frame;
    frame.fill(0x77);
    BuildLiveFrame(lights.data(), lights.size(), MapWithLeds(10, 3, 127, 0), frame);
    EXPECT_EQ(frame[30], (0 * 255) >> 8);
    EXPECT_EQ(frame[31], (1 * 255) >> 8);
    EXPECT_EQ(frame[32], (2 * 255) >> 8);
    EXPECT_EQ(frame[9], (1 * 128) >> 8);
    EXPECT_EQ(frame[10], (2 * 128) >> 8);
    EXPECT_EQ(frame[11], (3 * 128) >> 8);
    EXPECT_EQ(frame[3 * 127], (2 * 255) >> 8);
    EXPECT_EQ(frame[0], (64 * 255) >> 8);
    EXPECT_EQ(frame[1], (65 * 255) >> 8);
    // Everything else is dark, including the lights of keys the keyboard does not have.
    for (size_t i = 0; i < frame.size(); ++i) {
        const size_t led = i / 3;
        if (led != 10 && led != 3 && led != 127 && led != 0) {
            EXPECT_EQ(frame[i], 0) << "byte " << i;
        }
    }
}

TEST(KeyboardFrame, LedIndexesBeyondTheFrameAreSkipped) {
    const auto lights = Lights();
    for (uint8_t bad : {uint8_t{128}, uint8_t{170}, uint8_t{254}}) {
        LiveFrame frame;
        BuildLiveFrame(lights.data(), lights.size(), MapWithLeds(bad, bad, bad, 5), frame);
        int lit = 0;
        for (uint8_t b : frame) {
            lit += b != 0;
        }
        EXPECT_EQ(lit, 3) << int(bad);
    }
}

TEST(KeyboardFrame, ShortOrMissingLightBuffersAreSafe) {
    LiveFrame frame;
    frame.fill(1);
    BuildLiveFrame(nullptr, 170, MapWithLeds(0, 1, 2, 3), frame);
    for (uint8_t b : frame) {
        EXPECT_EQ(b, 0);
    }
    const auto lights = Lights();
    BuildLiveFrame(lights.data(), 1, MapWithLeds(0, 1, 2, 3), frame);
    EXPECT_EQ(frame[3], 0);  // key 1 is beyond the buffer given
}

TEST(KeyboardFrame, ColourPageScaledOrPlainAndBounded) {
    auto lights = Lights();
    lights[0] = {200, 100, 50, 128};
    LightPage page;
    BuildColourPage(lights.data(), lights.size(), MapWithLeds(169, 170, 255, 1), false, page);
    EXPECT_EQ(page[3 * 169], 200);
    EXPECT_EQ(page[3 * 169 + 2], 50);
    BuildColourPage(lights.data(), lights.size(), MapWithLeds(169, 170, 255, 1), true, page);
    EXPECT_EQ(page[3 * 169], 100);
    EXPECT_EQ(page[3 * 169 + 1], 50);
}

TEST(KeyboardFrame, LightIndexFrameStopsAtThePage) {
    std::vector<LightEntry> lights(300, LightEntry{255, 255, 255, 255});
    LightPage frame;
    BuildLightIndexFrame(lights.data(), lights.size(), frame);
    EXPECT_EQ(frame[3 * 169 + 2], 254);
    EXPECT_EQ(frame[510], 0);
    EXPECT_EQ(frame[511], 0);
}

TEST(LightEntry, PreviewColourPacksC0C2C1) {
    EXPECT_EQ(PackPreviewColour({0x11, 0x22, 0x33, 0}), 0x223311u);
}

}  // namespace
}  // namespace ravo
