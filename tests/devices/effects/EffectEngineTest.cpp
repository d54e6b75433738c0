#include "devices/effects/EffectEngine.h"
#include "devices/effects/EffectTables.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace ravo::effects;
using namespace ravo::effects::tables;

namespace {

constexpr uint8_t kHalf = 128;  // brightness byte of level 2

LightEntry Lit(Rgb c, uint8_t brightness) {
    return LightEntry{c.r, c.g, c.b, brightness};
}
uint8_t HalfOf(uint8_t x) {
    return static_cast<uint8_t>((kHalf * x) >> 8);
}
const Rgb kOwn{10, 20, 30};

EffectEngine MakeEngine(bool multicolour, bool forward) {
    EffectEngine e(12345);
    EffectSettings& s = e.Settings();
    s.brightness = 2;
    s.speed = 2;
    s.direction = forward ? 1 : 0;
    s.multicolour = multicolour ? 1 : 0;
    s.red = kOwn.r;
    s.green = kOwn.g;
    s.blue = kOwn.b;
    return e;
}

TEST(EffectRoutines, NextPhase) {
    struct Case {
        bool forward;
        uint8_t period, phase, step, expected;
    };
    const Case cases[] = {
        {true, 192, 191, 1, 0}, {false, 192, 0, 1, 191},  {false, 52, 0, 1, 51},
        {true, 192, 10, 1, 11}, {false, 192, 10, 1, 9},   {true, 192, 190, 7, 0},
        {true, 128, 127, 1, 0}, {false, 192, 0, 20, 172}, {true, 25, 24, 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EffectEngine::NextPhase(c.forward, c.period, c.phase, c.step), c.expected)
            << c.forward << " " << int(c.period) << " " << int(c.phase) << " " << int(c.step);
    }
}

TEST(EffectRoutines, DecayLevelSequences) {
    struct Case {
        int variant;
        std::vector<int> sequence;
    };
    const Case cases[] = {
        {29, {255, 210, 165, 120, 75, 40, 5, 4, 3, 2, 1, 0, 0}},
        {0, {255, 215, 175, 135, 95, 65, 35, 20, 12, 11, 10}},
        {10, {255, 215, 175, 135, 95, 65, 35, 25, 17, 9, 8}},
        // A level with bit 4 set below 45 stops at 0 instead of wrapping round to bright.
        {29, {30, 0, 0}},
    };
    for (const Case& c : cases) {
        EffectEngine e;
        e.State().level[7] = static_cast<uint8_t>(c.sequence[0]);
        for (size_t i = 1; i < c.sequence.size(); ++i) {
            e.DecayLevel(7, c.variant);
            EXPECT_EQ(e.State().level[7], c.sequence[i])
                << "variant " << c.variant << " step " << i;
        }
    }
}

TEST(EffectRoutines, FindKeyAndTriggerKey) {
    EXPECT_EQ(EffectEngine::FindKey(49), 49);
    EXPECT_EQ(EffectEngine::FindKey(120), kNoLight);  // column 0's lights have no key order
    EXPECT_EQ(EffectEngine::FindKey(169), kNoLight);
    EXPECT_EQ(EffectEngine::FindKey(200), kNoLight);

    EffectEngine e;
    e.TriggerKey(51, 1);  // column 10, row 2
    for (const auto& plane : e.State().planes) {
        EXPECT_EQ(plane[10], 1 << 2);
    }
    EffectEngine other;
    other.TriggerKey(51, 0);
    other.TriggerKey(kNoLight, 1);  // 170 fills empty matrix places; never a key
    for (const auto& plane : other.State().planes) {
        for (uint8_t b : plane) {
            EXPECT_EQ(b, 0);
        }
    }
}

TEST(EffectRoutines, ShiftPlanesSpreadsBothWays) {
    EffectEngine e;
    auto& p = e.State().planes;
    for (auto& plane : p) {
        plane[9] = 0x40;
    }
    e.ShiftPlanes();
    EXPECT_EQ(p[0][8], 0x40);
    EXPECT_EQ(p[0][9], 0x20);
    EXPECT_EQ(p[3][8], 0x40);
    EXPECT_EQ(p[3][9], 0x80);
    EXPECT_EQ(p[1][10], 0x40);
    EXPECT_EQ(p[1][9], 0x20);
    EXPECT_EQ(p[2][10], 0x40);
    EXPECT_EQ(p[2][9], 0x80);
    e.SweepPlanes();
    EXPECT_EQ(p[0][8], 0);
    EXPECT_EQ(p[2][10], 0);
    EXPECT_EQ(p[3][7], 0x40);   // P4 one column towards 0
    EXPECT_EQ(p[1][11], 0x40);  // P2 one column towards 22
}

TEST(EffectRoutines, StartHueSpread) {
    EffectEngine e;
    e.StartHueSpread();
    EXPECT_EQ(e.State().hue[0], 33);
    EXPECT_EQ(e.State().hue[1], 66);
    EXPECT_EQ(e.State().hue[5], 6);
    for (uint8_t h : e.State().hue) {
        EXPECT_LT(h, 192);
    }
}

TEST(EffectRoutines, IntervalsAndPacing) {
    struct Case {
        int mode, speed;
        uint8_t interval;
    };
    const Case cases[] = {{1, 0, 5},  {1, 4, 1},  {12, 0, 3}, {12, 2, 2}, {12, 4, 1}, {16, 0, 4},
                          {16, 4, 4}, {18, 0, 1}, {30, 0, 1}, {30, 1, 0}, {4, 9, 1},  {29, 0, 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(EffectEngine::Interval(c.mode, c.speed), c.interval) << c.mode << "/" << c.speed;
    }
    EXPECT_EQ(EffectEngine::PacingOf(0), ModePacing::Player);
    EXPECT_EQ(EffectEngine::PacingOf(19), ModePacing::Player);
    EXPECT_EQ(EffectEngine::PacingOf(31), ModePacing::Player);
    EXPECT_EQ(EffectEngine::PacingOf(29), ModePacing::Music);
    EXPECT_EQ(EffectEngine::PacingOf(4), ModePacing::Interval);
}

TEST(EffectSteps, RowWaveFromPhaseZero) {
    EffectEngine e = MakeEngine(false, true);
    e.StepRowWave();
    const uint8_t full = kHalf;
    for (size_t c = 0; c < kColumns; ++c) {
        if (kMatrix[c][0] != kNoLight) {
            EXPECT_EQ(e.Lights()[kMatrix[c][0]], Lit(kWheel[2], full)) << "row 0 col " << c;
        }
        EXPECT_EQ(e.Lights()[kMatrix[c][1]], Lit(kWheel[26], full)) << "row 1 col " << c;
        EXPECT_EQ(e.Lights()[kMatrix[c][5]], Lit(kWheel[122], full)) << "row 5 col " << c;
    }
}

// A light that only frame 0 hits, so nothing lights it again within the cycle.
uint8_t LightOnlyInFrame(size_t frame) {
    for (uint8_t k : kRippleFrames[frame].lights) {
        int hits = 0;
        for (const auto& f : kRippleFrames) {
            for (uint8_t x : f.lights) {
                hits += x == k;
            }
        }
        if (k != kNoLight && hits == 1) {
            return k;
        }
    }
    return kNoLight;
}

TEST(EffectSteps, RippleFadesOverFiftyOneSteps) {
    EffectEngine e = MakeEngine(false, true);
    e.State().phase = 51;  // the next step shows frame 0
    const uint8_t k = LightOnlyInFrame(0);
    ASSERT_NE(k, kNoLight);
    for (int step = 1; step <= 51; ++step) {
        e.StepRipple();
        EXPECT_EQ(e.State().level[k], 255 - 5 * step) << "step " << step;
        EXPECT_EQ(e.State().hue[k], 3 * step) << "step " << step;
        EXPECT_EQ(e.Lights()[k], Lit(kOwn, HalfOf(static_cast<uint8_t>(255 - 5 * step))));
    }
    EXPECT_EQ(e.State().level[k], 0);
    // The hue climbs to the end of the table and stays there (light 169 is in no frame).
    e.State().hue[169] = 252;
    e.StepRipple();
    EXPECT_EQ(e.State().hue[169], 255);
    e.StepRipple();
    EXPECT_EQ(e.State().hue[169], 255);
    e.Settings().multicolour = 1;
    e.StepRipple();
    EXPECT_EQ(e.Lights()[169], Lit(kWheel[255], kHalf));
}

TEST(EffectSteps, PresetColour) {
    struct Case {
        uint8_t ledMode, index;
    };
    const Case cases[] = {{1, 25}, {2, 70}, {3, 95}, {0, 174}, {7, 174}};
    for (const Case& c : cases) {
        EffectEngine e = MakeEngine(false, true);
        e.Settings().ledMode = c.ledMode;
        e.StepPresetColour();
        EXPECT_EQ(e.State().phase, c.index);
        for (const LightEntry& l : e.Lights()) {
            ASSERT_EQ(l, Lit(kWheel[c.index], kHalf)) << "ZZCCLedMode " << int(c.ledMode);
        }
    }
}

// One step of every mode on a known state.
struct StepCase {
    std::string name;
    int mode;
    bool multicolour;
    bool forward;
    std::function<void(EffectEngine&)> prepare;
    std::function<void(const EffectEngine&)> check;
};

void NoPrep(EffectEngine&) {}

std::vector<StepCase> StepCases() {
    std::vector<StepCase> cases;
    const auto& m = kMatrix;
    cases.push_back({"column wave multicolour", 1, true, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().phase, 1);
                         EXPECT_EQ(e.Lights()[m[0][1]], Lit(kWheel[2], kHalf));
                         EXPECT_EQ(e.Lights()[m[1][1]], Lit(kWheel[9], kHalf));
                         EXPECT_EQ(e.Lights()[m[22][5]], Lit(kWheel[2 + 7 * 22], kHalf));
                     }});
    cases.push_back({"column wave one colour", 1, false, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[m[0][1]], Lit(kOwn, HalfOf(kBreath96[2])));
                         EXPECT_EQ(e.Lights()[m[1][1]], Lit(kOwn, HalfOf(kBreath96[9])));
                     }});
    cases.push_back(
        {"column pulse multicolour backward", 2, true, false, NoPrep, [&](const EffectEngine& e) {
             EXPECT_EQ(e.State().phase, 191);
             EXPECT_EQ(e.Lights()[m[0][1]], Lit(kWheel[191], kHalf));
             EXPECT_EQ(e.Lights()[m[1][1]], Lit(kWheel[1], kHalf));
         }});
    cases.push_back({"column pulse one colour", 2, false, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[m[0][1]], Lit(kOwn, HalfOf(kPulse[1])));
                         EXPECT_EQ(e.Lights()[m[5][1]], Lit(kOwn, HalfOf(kPulse[6])));
                     }});
    cases.push_back({"key wave", 3, true, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[15], Lit(kWheel[1], kHalf));
                         EXPECT_EQ(e.Lights()[14], Lit(kWheel[6], kHalf));
                         EXPECT_EQ(e.Lights()[77], Lit(kWheel[(1 + 5 * 106) % 192], kHalf));
                         EXPECT_EQ(e.Lights()[120], LightEntry{});  // not in the key order
                     }});
    cases.push_back({"spectrum backward", 4, false, false, NoPrep, [&](const EffectEngine& e) {
                         for (const LightEntry& l : e.Lights()) {
                             ASSERT_EQ(l, Lit(kWheel[191], kHalf));
                         }
                     }});
    cases.push_back({"breathe by column", 5, true, true,
                     [](EffectEngine& e) { e.State().phase = 63; },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().phase, 64);
                         EXPECT_EQ(e.Lights()[m[2][0]], Lit(kWheel[14], HalfOf(255)));
                         EXPECT_EQ(e.Lights()[m[22][5]], Lit(kWheel[154], HalfOf(255)));
                     }});
    cases.push_back({"static rings", 6, true, true,
                     [](EffectEngine& e) {
                         e.Lights()[120] = LightEntry{1, 2, 3, 4};
                     },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[49], Lit(kWheel[138], kHalf));
                         EXPECT_EQ(e.Lights()[115], Lit(kWheel[6], kHalf));
                         EXPECT_EQ(e.Lights()[120], (LightEntry{1, 2, 3, 4}));
                     }});
    cases.push_back({"static one colour", 6, false, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[120], Lit(kOwn, kHalf));
                         EXPECT_EQ(e.Lights()[169], Lit(kOwn, kHalf));
                     }});
    for (int mode : {7, 25}) {
        cases.push_back({"rise and fall", mode, true, true,
                         [](EffectEngine& e) {
                             e.State().level[5] = 200;
                             e.State().hue[5] = 40;
                         },
                         [&](const EffectEngine& e) {
                             EXPECT_EQ(e.State().level[5], 200);
                             EXPECT_EQ(e.Lights()[5], Lit(kWheel[40], HalfOf(200)));
                             EXPECT_EQ(e.Lights()[6], Lit(kWheel[0], 0));
                         }});
    }
    cases.push_back({"ripple planes", 8, false, true, [](EffectEngine& e) { e.TriggerKey(49, 1); },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().level[49], 215);
                         EXPECT_EQ(e.State().hue[49], 7);
                         EXPECT_EQ(e.Lights()[49], Lit(kOwn, HalfOf(215)));
                         EXPECT_EQ(e.State().planes[0][7], 1 << 2);  // spread to column 7
                         EXPECT_EQ(e.State().planes[0][8], 1 << 1);
                     }});
    cases.push_back({"sweep", 9, false, true, [](EffectEngine& e) { e.TriggerKey(49, 1); },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().level[49], 215);
                         EXPECT_EQ(e.State().planes[3][7], 1 << 2);
                         EXPECT_EQ(e.State().planes[1][9], 1 << 2);
                         EXPECT_EQ(e.State().planes[0][8], 0);
                     }});
    cases.push_back({"random sparks", 10, true, true, NoPrep, [&](const EffectEngine& e) {
                         int lit = 0;
                         for (size_t i = 0; i < kLightCount; ++i) {
                             if (e.State().level[i] != 0) {
                                 ++lit;
                                 EXPECT_EQ(e.State().level[i], 215);
                                 EXPECT_NE(EffectEngine::FindKey(static_cast<uint8_t>(i)),
                                           kNoLight);
                                 EXPECT_LT(e.State().hue[i], 192);
                             }
                         }
                         EXPECT_GE(lit, 1);
                         EXPECT_LE(lit, 6);
                     }});
    cases.push_back({"hue spread", 11, true, true, [](EffectEngine& e) { e.StartHueSpread(); },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().hue[0], 34);
                         EXPECT_EQ(e.Lights()[0], Lit(kWheel[34], kHalf));
                         EXPECT_EQ(e.State().hue[5], 7);
                     }});
    cases.push_back({"centre wave after five steps", 13, false, true,
                     [](EffectEngine& e) {
                         e.StartCentreWave();
                         for (int i = 0; i < 4; ++i) {
                             e.StepCentreWave();
                         }
                     },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().level[129], 215);  // column 9, bottom row
                         EXPECT_EQ(e.Lights()[129], Lit(kOwn, HalfOf(215)));
                     }});
    cases.push_back({"scripted first row", 14, false, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().level[0], 215);
                         EXPECT_EQ(e.State().phase, 1);
                         EXPECT_EQ(e.State().planeCounter, 0);
                     }});
    cases.push_back({"twinkle", 15, true, true, [](EffectEngine& e) { e.StartTwinkle(); },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().level[105], 74);  // F[6] + 2
                         EXPECT_EQ(e.State().level[0], 102);   // F[13] + 2
                         EXPECT_EQ(e.State().hue[0], 14);
                         EXPECT_EQ(e.Lights()[0], Lit(kWheel[14], HalfOf(kPulse[102])));
                     }});
    cases.push_back({"side waves second step", 16, false, true,
                     [](EffectEngine& e) {
                         e.StartSideWaves();
                         e.StepSideWaves();
                     },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().level[21], 215);
                         EXPECT_EQ(e.State().level[0], 215);
                         EXPECT_EQ(e.Lights()[21], Lit(kOwn, HalfOf(215)));
                     }});
    cases.push_back({"ring wave", 18, true, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[49], Lit(kWheel[8], kHalf));
                         EXPECT_EQ(e.Lights()[28], Lit(kWheel[15], kHalf));
                         EXPECT_EQ(e.Lights()[15], Lit(kWheel[1 + 7 * 12], kHalf));
                     }});
    cases.push_back({"custom lights keep colours", 20, false, true,
                     [](EffectEngine& e) {
                         e.Lights()[3] = LightEntry{9, 8, 7, 0};
                     },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[3], (LightEntry{9, 8, 7, kHalf}));
                     }});
    cases.push_back({"snake forward", 21, false, true, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().phase, 1);
                         EXPECT_EQ(e.State().level[0], 214);
                     }});
    cases.push_back({"snake backward from 0", 21, false, false, NoPrep, [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().phase, 170);
                         for (uint8_t l : e.State().level) {
                             ASSERT_EQ(l, 0);
                         }
                     }});
    cases.push_back({"snake backward", 21, false, false,
                     [](EffectEngine& e) { e.State().phase = 5; },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().phase, 4);
                         EXPECT_EQ(e.State().level[5], 214);
                     }});
    cases.push_back({"random pulses", 22, true, true,
                     [](EffectEngine& e) { e.StartRandomPulses(); },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().pulse[21], 80);  // column 1: 184-35-35-35, +1
                         EXPECT_EQ(e.State().hue[21], 7);
                         EXPECT_EQ(e.Lights()[21], Lit(kWheel[7], HalfOf(kPulse[80])));
                     }});
    cases.push_back({"breathe four colours", 26, false, true,
                     [](EffectEngine& e) { e.State().phase = 127; },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.State().phase, 0);
                         EXPECT_EQ(e.State().colourIndex, 1);
                         EXPECT_EQ(e.Lights()[0], Lit(kFourColours[1], 0));
                     }});
    cases.push_back({"off", 28, false, true,
                     [](EffectEngine& e) {
                         e.Lights().fill(LightEntry{1, 1, 1, 1});
                     },
                     [&](const EffectEngine& e) {
                         for (const LightEntry& l : e.Lights()) {
                             ASSERT_EQ(l, LightEntry{});
                         }
                     }});
    cases.push_back({"external colour", 30, false, true,
                     [](EffectEngine& e) { e.State().externalColour = {0x1FF, 0, 0x100, 7, 7, 7}; },
                     [&](const EffectEngine& e) {
                         EXPECT_EQ(e.Lights()[169], Lit(Rgb{255, 0, 0}, kHalf));
                     }});
    return cases;
}

TEST(EffectSteps, EveryModeOnAKnownState) {
    for (const StepCase& c : StepCases()) {
        SCOPED_TRACE(c.name + " mode " + std::to_string(c.mode));
        EffectEngine e = MakeEngine(c.multicolour, c.forward);
        c.prepare(e);
        e.Step(c.mode, 100000);
        c.check(e);
    }
}

TEST(EffectSteps, FlashTogglesOnItsOwnClock) {
    for (int mode : {23, 27}) {
        SCOPED_TRACE(mode);
        EffectEngine e = MakeEngine(true, true);
        const uint32_t period = kSlowInterval[2] * 200u;
        e.Step(mode, 10000);
        const LightEntry on = mode == 23 ? Lit(kWheel[16], kHalf) : Lit(kFourColours[1], kHalf);
        EXPECT_EQ(e.Lights()[0], on);
        e.Step(mode, 10000 + period - 1);
        EXPECT_EQ(e.Lights()[0], on);
        e.Step(mode, 10000 + period);
        EXPECT_EQ(e.Lights()[0], LightEntry{});
        EXPECT_EQ(e.State().blinkState, 0);
    }
}

TEST(EffectSteps, ScriptedRunsThroughItsStages) {
    EffectEngine e = MakeEngine(false, true);
    for (int i = 0; i < 20; ++i) {
        e.StepScripted();
    }
    EXPECT_EQ(e.State().planeCounter, 1);
    EXPECT_EQ(e.State().phase, 0);
    for (int i = 0; i < 31; ++i) {
        e.StepScripted();
    }
    EXPECT_EQ(e.State().phase, 31);
    for (int i = 0; i < 40 && e.State().planeCounter == 1; ++i) {
        e.StepScripted();
    }
    EXPECT_EQ(e.State().planeCounter, 2);
    e.StepScripted();
    EXPECT_EQ(e.State().planeCounter, 3);
    EXPECT_NE(e.State().planes[0][10] & (1 << 2), 0);
}

TEST(EffectSteps, ResetEffectAndStarts) {
    EffectEngine e = MakeEngine(true, true);
    e.State().phase = 9;
    e.State().level.fill(3);
    e.State().musicLevels.fill(500);
    e.StartMode(13);
    EXPECT_EQ(e.State().phase, 0);
    EXPECT_EQ(e.State().level[4], 0);
    EXPECT_EQ(e.State().musicLevels[0], 0);
    EXPECT_EQ(e.State().musicColumnFlags[24], 1);
    EXPECT_EQ(e.State().planes[2][9], 0x40);
    EXPECT_EQ(e.State().hue[0], 0);
    e.StartMode(4);
    EXPECT_EQ(e.State().hue[0], 33);
    EXPECT_EQ(e.State().planes[2][9], 0);
}

TEST(EffectSteps, OutOfRangeSettingsStayInTables) {
    EffectEngine e = MakeEngine(true, true);
    e.Settings().brightness = 200;
    e.Settings().speed = 77;
    for (int mode = 0; mode <= 40; ++mode) {
        e.StartMode(mode);
        for (int i = 0; i < 300; ++i) {
            e.Step(mode, static_cast<uint32_t>(i * 7));
        }
    }
    // Mode 30 painted black at the top brightness; the player modes left it.
    EXPECT_EQ(e.Lights()[0], (LightEntry{0, 0, 0, 255}));
}

}  // namespace
