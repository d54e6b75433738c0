#include "devices/effects/LightSequencePlayer.h"

#include "devices/effects/EffectEngine.h"
#include "devices/effects/EffectTables.h"

#include <algorithm>

namespace ravo::effects {

using namespace tables;

namespace {

struct PlayerState {
    uint8_t counter = 0;
    uint8_t phase = 0;
    bool started = false;
    uint32_t startTime = 0;
    uint32_t duration = 0;
    SequenceStep entry;
    uint32_t flashTime = 0;
    uint8_t flashState = 0;
    uint8_t flashColour = 0;
};

// Program-wide counters. Lock rule: sharedMutex guards shared; it is never held while a
// device's sequence lock is taken.
std::mutex sharedMutex;
PlayerState shared;

size_t Level(uint8_t level) {
    return std::min<size_t>(level, 4);
}

void PaintAll(LightBuffer& lights, Rgb c, uint8_t brightness) {
    lights.fill(LightEntry{c.r, c.g, c.b, brightness});
}

}  // namespace

void LightSequencePlayer::ResetShared() {
    std::scoped_lock lock(sharedMutex);
    shared = PlayerState{};
}

void LightSequencePlayer::Play(const SequenceRef& sequence, LightBuffer& lights,
                               uint8_t deviceSpeed, uint32_t nowMs) {
    SequenceStep entry;
    {
        std::scoped_lock lock(sequence.lock);
        const auto size = static_cast<int32_t>(sequence.steps.size());
        if (sequence.cursor < 0 || sequence.cursor >= size) {
            sequence.cursor = 0;
        }
        if (size == 0) {
            lights.fill(LightEntry{});
            return;
        }
        entry = sequence.steps[static_cast<size_t>(sequence.cursor)];
    }

    bool advance = false;
    {
        std::scoped_lock lock(sharedMutex);
        PlayerState& s = shared;
        if (!s.started) {
            s.started = true;
            s.startTime = nowMs;
        }
        s.entry = entry;
        s.duration = entry.timeMs;
        s.counter = static_cast<uint8_t>(s.counter + 1);

        const uint8_t full = kBrightness[Level(entry.brightness)];
        const uint8_t slow = kSlowInterval[Level(entry.speed)];
        const Rgb own{entry.red, entry.green, entry.blue};
        switch (entry.mode) {
            case 0:
                if (s.counter >= slow) {
                    s.phase = static_cast<uint8_t>((s.phase + 1) % 128);
                    s.counter = 0;
                }
                PaintAll(lights, entry.multicolour ? kWheel[0] : own,
                         static_cast<uint8_t>((full * kBreath128[s.phase % 128]) >> 8));
                break;
            case 1:
                if (s.counter >= slow) {
                    s.phase = static_cast<uint8_t>((s.phase + 1) % 9);
                    s.counter = 0;
                }
                PaintAll(lights, own, full);
                break;
            case 2: {
                s.phase = static_cast<uint8_t>((s.phase + 1) % 128);
                if (s.counter >= slow) {
                    s.counter = 0;
                }
                const uint32_t period = kSlowInterval[Level(deviceSpeed)] * 200u;
                if (nowMs - s.flashTime >= period) {
                    s.flashState = s.flashState ? 0 : 1;
                    s.flashTime = nowMs;
                    s.flashColour = static_cast<uint8_t>(s.phase + 14);
                }
                if (s.flashState) {
                    PaintAll(lights, entry.multicolour ? kWheel[s.flashColour] : own, full);
                } else {
                    lights.fill(LightEntry{});
                }
                break;
            }
            case 4: {
                if (s.counter >= slow) {
                    s.phase = static_cast<uint8_t>((s.phase + 1) % 192);
                    s.counter = 0;
                }
                const unsigned p = s.phase % 192;
                unsigned d = entry.direction == 0 ? (p + 1) % 192 : (p == 0 ? 191 : 192 - p);
                if (entry.multicolour) {
                    for (auto& light : lights) {
                        light = LightEntry{kWheel[d].r, kWheel[d].g, kWheel[d].b, full};
                        d = (d + 12) % 192;
                    }
                } else {
                    for (auto& light : lights) {
                        d = (d + 12) % 96;
                        light = LightEntry{own.r, own.g, own.b,
                                           static_cast<uint8_t>((full * kBreath96[d]) >> 8)};
                    }
                }
                break;
            }
            case 5:
                if (s.counter >= EffectEngine::Interval(1, entry.speed)) {
                    s.phase = static_cast<uint8_t>((s.phase + 1) % 192);
                    s.counter = 0;
                }
                PaintAll(lights, kWheel[s.phase % 192], full);
                break;
            default:
                break;  // the previous frame stays on the keys
        }

        if (nowMs - s.startTime > s.duration) {
            s.startTime = nowMs;
            advance = true;
        }
    }

    if (advance) {
        std::scoped_lock lock(sequence.lock);
        ++sequence.cursor;
        if (sequence.cursor >= static_cast<int32_t>(sequence.steps.size())) {
            sequence.cursor = 0;
        }
    }
}

}  // namespace ravo::effects
