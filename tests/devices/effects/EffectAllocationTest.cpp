// Steps, ticks and frame copies run every few milliseconds for as long as the program runs:
// they must never allocate.
#include "devices/effects/SoftwareLighting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) {
        allocations.fetch_add(1, std::memory_order_relaxed);
    }
    if (void* p = std::malloc(size ? size : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

using namespace ravo::effects;

namespace {

TEST(EffectAllocation, NoModeAllocatesOnTheFramePath) {
    SoftwareLighting lighting;
    EffectSettings s;
    s.brightness = 3;
    s.multicolour = 1;
    lighting.SetSettings(s);
    std::vector<LightOverride> overrides(170);
    for (size_t i = 0; i < overrides.size(); ++i) {
        overrides[i].mode = static_cast<uint8_t>(i % 5);
        overrides[i].present = 1;
    }
    lighting.ReplaceOverrides(overrides);
    SequenceStep step;
    step.mode = 4;
    step.timeMs = 3;
    lighting.ReplaceSequence({step, step, step});

    LightBuffer frame;
    for (int mode = 0; mode <= 31; ++mode) {
        lighting.SetLightCopy({static_cast<uint8_t>(mode), 4});
        lighting.StartMode(mode);
        counting = true;
        for (uint32_t t = 0; t < 300; ++t) {
            lighting.RunTick(1, 2, t * 7);
            lighting.CopyFrame(frame);
        }
        counting = false;
        EXPECT_EQ(allocations.load(), 0) << "mode " << mode;
        allocations = 0;
    }
}

}  // namespace
