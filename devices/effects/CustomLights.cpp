#include "devices/effects/CustomLights.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

namespace ravo::effects {

namespace {

constexpr int kCustomMode = 20;
constexpr uint8_t kNoLed = 255;

struct Snapshot {
    LightBuffer lights;
    EffectSettings settings;
};

Snapshot Take(const SoftwareLighting& lighting) {
    return lighting.Read([](const EffectEngine& e) { return Snapshot{e.Lights(), e.Settings()}; });
}

// LED indexes come from the keyboard: only those whose three bytes fit the page are used.
bool FitsPage(uint8_t led) {
    return led != kNoLed && led <= kNoLight && 3u * led + 2 < CustomLights::kPageBytes;
}

size_t PageLength(const CustomLightsHost& host) {
    return std::min(host.KeyTableEntries() * 3, CustomLights::kPageBytes);
}

uint32_t PageAddress(const EffectSettings& settings) {
    return static_cast<uint32_t>(settings.customGroup) * CustomLights::kPageBytes;
}

}  // namespace

void CustomLightsHost::PauseAfterFailedUpload() {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
}

void CustomLights::Start(SoftwareLighting& lighting, CustomLightsHost& host) {
    const int group = host.ProfileCustomGroup();
    LightBuffer colours{};
    if (host.LoadCustomGroup(group, colours)) {
        lighting.Mutate([&](EffectEngine& e) { e.Lights() = colours; });
    }
    host.SetPanelCustomGroup(group);
    Upload(lighting, host);
}

void CustomLights::SetGroup(CustomLightsHost& host, int group) {
    host.SetPanelCustomGroup(group);
    host.SetProfileCustomGroup(group);
}

void CustomLights::Fill(SoftwareLighting& lighting, CustomLightsHost& host, int flag) {
    lighting.Mutate([&](EffectEngine& e) {
        const EffectSettings& s = e.Settings();
        const Rgb c = flag != 0 ? Rgb{s.red, s.green, s.blue} : Rgb{};
        for (auto& light : e.Lights()) {
            light.c0 = c.r;
            light.c1 = c.g;
            light.c2 = c.b;
        }
    });
    Upload(lighting, host);
    const int group = host.PanelCustomGroup();
    if (group != -1) {
        const Snapshot now = Take(lighting);
        host.StoreCustomGroup(group, now.lights);
        host.SaveProfile();
    }
}

void CustomLights::PaintKey(SoftwareLighting& lighting, CustomLightsHost& host, int light) {
    if (light < 0 || static_cast<size_t>(light) >= kLightCount) {
        return;
    }
    bool painted = false;
    lighting.Mutate([&](EffectEngine& e) {
        const EffectSettings& s = e.Settings();
        if (s.mode != kCustomMode) {
            return;
        }
        LightEntry& entry = e.Lights()[static_cast<size_t>(light)];
        entry.c0 = s.red;
        entry.c1 = s.green;
        entry.c2 = s.blue;
        painted = true;
    });
    const int group = host.PanelCustomGroup();
    if (!painted || group == -1) {
        return;
    }
    const Snapshot now = Take(lighting);
    host.StoreCustomGroup(group, now.lights);
    host.SaveProfile();

    std::array<uint8_t, kPageBytes> page{};
    for (size_t i = 0; i <= 125; ++i) {
        const uint8_t led = host.LedOfLight(i);
        if (!FitsPage(led)) {
            continue;
        }
        page[3u * led] = now.lights[i].c0;
        page[3u * led + 1] = now.lights[i].c1;
        page[3u * led + 2] = now.lights[i].c2;
    }
    if (!host.IsWirelessLink()) {
        // The key is already shown; a lost page write is repaired by the next upload.
        (void)host.WriteCustomColours(PageAddress(now.settings), page.data(), PageLength(host));
    }
}

void CustomLights::Upload(SoftwareLighting& lighting, CustomLightsHost& host) {
    const Snapshot now = Take(lighting);
    if (now.settings.mode != kCustomMode) {
        return;
    }
    std::array<uint8_t, kPageBytes> page{};
    for (size_t i = 0; i < kLightCount; ++i) {
        const uint8_t led = host.LedOfLight(i);
        if (!FitsPage(led)) {
            continue;
        }
        const LightEntry& l = now.lights[i];
        page[3u * led] = static_cast<uint8_t>((l.c0 * l.brightness) >> 8);
        page[3u * led + 1] = static_cast<uint8_t>((l.c1 * l.brightness) >> 8);
        page[3u * led + 2] = static_cast<uint8_t>((l.c2 * l.brightness) >> 8);
    }
    if (host.WriteCustomColours(PageAddress(now.settings), page.data(), PageLength(host)) != 1) {
        host.PauseAfterFailedUpload();
    }
}

}  // namespace ravo::effects
