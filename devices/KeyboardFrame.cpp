#include "devices/KeyboardFrame.h"

#include <algorithm>

namespace ravo {
namespace {

template <size_t N>
void PutLed(std::array<uint8_t, N>& frame, size_t led, const LightEntry& e, bool scaled) {
    const size_t at = led * 3;
    if (at + 2 >= N) {
        return;
    }
    frame[at] = scaled ? ScaleChannel(e.c0, e.brightness) : e.c0;
    frame[at + 1] = scaled ? ScaleChannel(e.c1, e.brightness) : e.c1;
    frame[at + 2] = scaled ? ScaleChannel(e.c2, e.brightness) : e.c2;
}

template <size_t N>
void BuildByLed(const LightEntry* lights, size_t lightCount, const KeyboardKeyMap& map, bool scaled,
                std::array<uint8_t, N>& frame) {
    frame.fill(0);
    if (lights == nullptr) {
        return;
    }
    const size_t keys = std::min(lightCount, static_cast<size_t>(kKeyboardKeyNumbers));
    for (size_t key = 0; key < keys; ++key) {
        const uint8_t led = map.Led(static_cast<int>(key));
        if (led != kNoKeyMapEntry) {
            PutLed(frame, led, lights[key], scaled);
        }
    }
}

}  // namespace

void BuildLiveFrame(const LightEntry* lights, size_t lightCount, const KeyboardKeyMap& map,
                    LiveFrame& frame) {
    BuildByLed(lights, lightCount, map, true, frame);
}

void BuildLightIndexFrame(const LightEntry* lights, size_t lightCount, LightPage& frame) {
    frame.fill(0);
    if (lights == nullptr) {
        return;
    }
    for (size_t i = 0; i < lightCount; ++i) {
        PutLed(frame, i, lights[i], true);
    }
}

void BuildColourPage(const LightEntry* lights, size_t lightCount, const KeyboardKeyMap& map,
                     bool scaled, LightPage& page) {
    BuildByLed(lights, lightCount, map, scaled, page);
}

}  // namespace ravo
