// Cost of the keyboard's software lighting on the frame path: each mode's step on the effect
// engine, one light-thread tick (step, overrides, publish), copying a published frame and
// building the keyboard's live frame from it.
#include "devices/effects/SoftwareLighting.h"

#ifdef RAVO_HAVE_KEYBOARD_FRAME
#include "devices/KeyboardDefaultCodes.h"
#include "devices/KeyboardFrame.h"
#include "devices/KeyboardKeyMap.h"
#endif

#include <benchmark/benchmark.h>

#include <vector>

using namespace ravo::effects;

namespace {

EffectSettings Busy(int mode, bool multicolour) {
    EffectSettings s;
    s.mode = static_cast<uint8_t>(mode);
    s.brightness = 3;
    s.speed = 2;
    s.direction = 1;
    s.multicolour = multicolour ? 1 : 0;
    s.red = 200;
    s.green = 100;
    s.blue = 50;
    s.ledMode = 2;
    return s;
}

// One step of a mode (arg 0: mode, arg 1: multicolour). The player modes run the sequence
// player on a three-entry light file instead.
void BM_ModeStep(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    EffectEngine engine;
    engine.Settings() = Busy(mode, state.range(1) != 0);
    engine.StartMode(mode);
    engine.TriggerKey(51, 1);
    std::mutex lock;
    std::vector<SequenceStep> steps(3);
    steps[0].mode = 4;
    steps[1].mode = 0;
    steps[2].mode = 5;
    int32_t cursor = 0;
    const bool player = EffectEngine::PacingOf(mode) == ModePacing::Player;
    uint32_t now = 0;
    for (auto _ : state) {
        now += 2;
        if (player) {
            LightSequencePlayer::Play(SequenceRef{lock, steps, cursor}, engine.Lights(), 2, now);
        } else {
            engine.Step(mode, now);
        }
        benchmark::DoNotOptimize(engine.Lights().data());
        benchmark::ClobberMemory();
    }
}
void ModeArgs(benchmark::internal::Benchmark* b) {
    b->ArgNames({"mode", "multicolour"});
    for (int mode = 0; mode <= 30; ++mode) {
        b->Args({mode, 1});
    }
    for (int mode : {1, 2, 3, 6, 10, 24}) {
        b->Args({mode, 0});
    }
}
BENCHMARK(BM_ModeStep)->Apply(ModeArgs);

// One light-thread pass in mode 4 with a full override list: step, overrides, publish.
void BM_LightTick(benchmark::State& state) {
    SoftwareLighting lighting;
    lighting.SetSettings(Busy(4, true));
    lighting.SetLightCopy({4, 4});
    lighting.StartMode(4);
    std::vector<LightOverride> overrides(state.range(0));
    for (size_t i = 0; i < overrides.size(); ++i) {
        overrides[i].mode = static_cast<uint8_t>(i % 5);
        overrides[i].present = 1;
        overrides[i].brightness = 4;
    }
    lighting.ReplaceOverrides(overrides);
    uint32_t now = 0;
    for (auto _ : state) {
        now += 2;
        lighting.RunTick(1, 1, now);
    }
}
BENCHMARK(BM_LightTick)->ArgName("overrides")->Arg(0)->Arg(170);

// What OutputFrame does every 5 ms: copy the published frame and build the frame to send.
void BM_BuildFrame(benchmark::State& state) {
    SoftwareLighting lighting;
    lighting.SetSettings(Busy(4, true));
    lighting.SetLightCopy({4, 4});
    lighting.RunTick(1, 1, 0);
#ifdef RAVO_HAVE_KEYBOARD_FRAME
    ravo::KeyTableImage table{};
    ravo::KeyTableImage leds{};
    for (int key = 0; key < ravo::kKeyboardKeyNumbers; ++key) {
        const ravo::KeyCodeBytes code = ravo::KeyboardDefaultCode(key);
        table[3 * key] = code.type;
        table[3 * key + 1] = code.p1;
        table[3 * key + 2] = code.p2;
        leds[key] = static_cast<uint8_t>(key);
    }
    ravo::KeyboardKeyMap map;
    map.Build(table, leds, ravo::kKeyboardKeyNumbers);
    ravo::LiveFrame frame{};
#endif
    LightBuffer copy;
    for (auto _ : state) {
        lighting.CopyFrame(copy);
#ifdef RAVO_HAVE_KEYBOARD_FRAME
        ravo::BuildLiveFrame(copy.data(), copy.size(), map, frame);
        benchmark::DoNotOptimize(frame.data());
#else
        benchmark::DoNotOptimize(copy.data());
#endif
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildFrame);

}  // namespace

BENCHMARK_MAIN();
