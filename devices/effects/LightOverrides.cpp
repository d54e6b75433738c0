#include "devices/effects/LightOverrides.h"

#include "devices/effects/EffectTables.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace ravo::effects {

using namespace tables;

namespace {

struct Animation {
    std::array<uint8_t, kLightCount> breathPhase{};
    std::array<uint8_t, kLightCount> breathColour{};
    std::array<uint32_t, kLightCount> flashTime{};
    std::array<uint8_t, kLightCount> flashState{};
    std::array<uint8_t, kLightCount> flashColour{};
    std::array<uint32_t, kLightCount> flashInterval{};
    std::array<uint8_t, kLightCount> spectrumColour{};
    std::array<uint8_t, kLightCount> spectrumCounter{};
    std::array<uint8_t, kLightCount> spectrumStep{};
};

// Program-wide, as every keyboard shares one set. Lock rule: sharedMutex guards shared.
std::mutex sharedMutex;
Animation shared;

size_t Level(uint8_t level) {
    return std::min<size_t>(level, 4);
}

uint8_t Full(const LightOverride& e) {
    return kBrightness[Level(e.brightness)];
}

void Paint(LightEntry& light, Rgb c, uint8_t brightness) {
    light = LightEntry{c.r, c.g, c.b, brightness};
}

}  // namespace

void LightOverrides::Restart(std::span<const LightOverride> list) {
    std::scoped_lock lock(sharedMutex);
    shared.breathPhase.fill(0);
    shared.breathColour.fill(0);
    const size_t n = std::min(list.size(), kLightCount);
    for (size_t i = 0; i < n; ++i) {
        const LightOverride& e = list[i];
        shared.flashTime[i] = 0;
        shared.flashState[i] = 0;
        shared.flashColour[i] = 0;
        shared.flashInterval[i] = kSlowInterval[Level(e.speed)] * 200u;
        if (e.present) {
            shared.spectrumColour[i] = 0;
            shared.spectrumCounter[i] = 0;
            shared.spectrumStep[i] = kSlowInterval[Level(e.speed)];
        }
    }
}

bool LightOverrides::IsAnimated(std::span<const LightOverride> list) {
    const size_t n = std::min(list.size(), kLightCount);
    for (size_t i = 0; i < n; ++i) {
        const LightOverride& e = list[i];
        if (e.mode == 2 || (e.present && (e.mode == 0 || e.mode == 3))) {
            return true;
        }
    }
    return false;
}

void LightOverrides::Apply(std::span<const LightOverride> list, LightBuffer& lights, uint32_t nowMs,
                           unsigned iterations) {
    const size_t n = std::min(list.size(), kLightCount);
    if (n == 0) {
        return;
    }
    std::scoped_lock lock(sharedMutex);
    for (size_t i = 0; i < n; ++i) {
        const LightOverride& e = list[i];
        const Rgb own{e.red, e.green, e.blue};

        if (e.mode == 0 && e.present) {
            uint8_t& phase = shared.breathPhase[i];
            uint8_t& colour = shared.breathColour[i];
            for (unsigned it = 0; it < iterations; ++it) {
                phase = static_cast<uint8_t>(phase + e.speed + 4);
                if (phase >= 128) {
                    phase = 0;
                    colour = static_cast<uint8_t>(colour + 1);
                    if (colour > 192) {
                        colour = 191;
                    }
                }
            }
            Paint(lights[i], e.multicolour ? kWheel[colour] : own,
                  static_cast<uint8_t>((Full(e) * kBreath128[phase]) >> 8));
        }

        if (e.mode == 1) {
            Paint(lights[i], own, Full(e));
        }

        if (e.mode == 3 && e.present) {
            uint8_t& counter = shared.spectrumCounter[i];
            uint8_t& colour = shared.spectrumColour[i];
            for (unsigned it = 0; it < iterations; ++it) {
                counter = static_cast<uint8_t>(counter + 1);
                if (counter >= shared.spectrumStep[i]) {
                    counter = 0;
                    colour = static_cast<uint8_t>(colour + 1);
                    if (colour > 191) {
                        colour = 0;
                    }
                }
            }
            Paint(lights[i], kWheel[colour], Full(e));
        }

        if (nowMs - shared.flashTime[i] >= shared.flashInterval[i]) {
            shared.flashState[i] = shared.flashState[i] ? 0 : 1;
            shared.flashTime[i] = nowMs;
            shared.flashColour[i] = static_cast<uint8_t>(shared.flashColour[i] + 14);
            if (shared.flashColour[i] > 191) {
                shared.flashColour[i] = 0;
            }
        }
        if (e.mode == 2) {
            if (shared.flashState[i]) {
                Paint(lights[i], e.multicolour ? kWheel[shared.flashColour[i]] : own, Full(e));
            } else {
                lights[i] = LightEntry{};
            }
        }

        if (e.mode == 4) {
            lights[i] = LightEntry{};
        }
    }
}

}  // namespace ravo::effects
