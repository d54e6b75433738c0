#include "devices/KeyboardLighting.h"

#include "app/toolkit/ControlTimers.h"
#include "app/toolkit/UiThread.h"
#include "device/KeyboardCommands.h"
#include "devices/NorvexKeyboardDevice.h"

#include <algorithm>

namespace ravo {

namespace {

constexpr int kResyncTimer = 1002;
constexpr int kResyncDelayMs = 50;
constexpr int kCustomLightsMode = 20;

effects::EffectSettings ToEffectSettings(const LightSettings& s) {
    effects::EffectSettings e;
    e.mode = s.mode;
    e.brightness = s.brightness;
    e.speed = s.speed;
    e.direction = s.direction;
    e.multicolour = s.multiColor;
    e.red = s.red;
    e.green = s.green;
    e.blue = s.blue;
    e.ledMode = s.zzccLedMode;
    e.customGroup = s.customGroup;
    return e;
}

}  // namespace

KeyboardLighting::KeyboardLighting(CNorvexKeyboardDevice& device)
    : m_device(device), m_thread(*this, m_effects), m_listeners(*this) {}

KeyboardLighting::~KeyboardLighting() {
    StopWorkerThreads();
}

void KeyboardLighting::Update(bool modeStart) {
    const LightSettings settings = LightSettingsFromWords(m_device.GetLightSettings());
    const KeyboardLightCopy copy = m_device.LightCopy();
    m_effects.SetSettings(ToEffectSettings(settings));
    m_effects.SetLightCopy({copy.mode, copy.speed});
    m_ledMap = m_device.LedMap();
    if (!modeStart) {
        return;
    }
    if (copy.mode == kCustomLightsMode) {
        effects::CustomLights::Start(m_effects, *this);
    }
    m_effects.StartMode(copy.mode);
}

void KeyboardLighting::ReloadLists() {
    CKeyboardProfiledata& profile = m_device.ProfileData();
    std::vector<effects::LightOverride> overrides;
    for (const LightListEntry& e : profile.GetLightList()) {
        overrides.push_back({e.mode, e.brightness, e.speed, e.direction, e.multiColor, e.red,
                             e.green, e.blue, e.present});
    }
    m_effects.ReplaceOverrides(std::move(overrides));
    std::vector<effects::SequenceStep> steps;
    for (const LightStep& s : profile.GetLightSteps()) {
        steps.push_back({s.mode, s.brightness, s.speed, s.direction, s.multiColor, s.red, s.green,
                         s.blue, static_cast<uint32_t>(std::max(s.time, 0))});
    }
    m_effects.ReplaceSequence(std::move(steps));
}

void KeyboardLighting::StartLightThread() {
    m_thread.Start();
}

void KeyboardLighting::StopWorkerThreads() {
    m_thread.Stop();
    m_listeners.StopAll();
}

// ---- light thread -----------------------------------------------------------------------

bool KeyboardLighting::IsLinkOpen() const {
    return m_device.Link().IsOpen();
}

bool KeyboardLighting::IsLightOutputSuspended() const {
    return m_device.Link().LightingSync() || !m_device.Link().IsOpen();
}

void KeyboardLighting::OnFrame(const effects::LightBuffer& frame) {
    m_device.WithLights([&](std::span<LightEntry> lights) {
        std::copy_n(frame.begin(), std::min(lights.size(), frame.size()), lights.begin());
    });
}

// ---- listeners --------------------------------------------------------------------------

void KeyboardLighting::RequestResync() {
    m_device.SetLastListenerCode(LastListenerCode());
    // The selector item is read on the UI thread, which owns it.
    ui::PostToObjectThread(&m_device, [this] {
        if (QWidget* item = m_device.GetSelectorItem()) {
            ui::SetTimer(item, kResyncTimer, kResyncDelayMs);
        }
    });
}

void KeyboardLighting::HandleSyncCode(uint16_t code) {
    m_device.SetLastListenerCode(LastListenerCode());
    m_device.HandleSyncCode(code);
}

// ---- custom colours ---------------------------------------------------------------------

int KeyboardLighting::ProfileCustomGroup() const {
    return m_device.ProfileData().GetCustomGroupIndex();
}

void KeyboardLighting::SetProfileCustomGroup(int group) {
    m_device.ProfileData().SetCustomGroupIndex(group);
}

bool KeyboardLighting::LoadCustomGroup(int group, std::span<effects::LightEntry> out) {
    if (group < 0) {
        return false;
    }
    const std::vector<CustomKeyColour> colours =
        m_device.ProfileData().GetCustomColours(group, static_cast<int32_t>(out.size()));
    const size_t n = std::min(colours.size(), out.size());
    for (size_t i = 0; i < n; ++i) {
        out[i] = LightEntry{colours[i].red, colours[i].green, colours[i].blue, colours[i].alpha};
    }
    return true;
}

void KeyboardLighting::StoreCustomGroup(int group, std::span<const effects::LightEntry> colours) {
    if (group < 0) {
        return;
    }
    std::vector<CustomKeyColour> out;
    out.reserve(colours.size());
    for (const LightEntry& e : colours) {
        out.push_back({e.c0, e.c1, e.c2, e.brightness});
    }
    m_device.ProfileData().SetCustomColours(out, group);
}

void KeyboardLighting::SaveProfile() {
    m_device.SaveProfile();
}

uint8_t KeyboardLighting::LedOfLight(size_t light) const {
    const auto it = m_ledMap.find(static_cast<int>(light));
    return it == m_ledMap.end() || it->second < 0 || it->second > 255
               ? 255
               : static_cast<uint8_t>(it->second);
}

size_t KeyboardLighting::KeyTableEntries() const {
    return m_device.DeviceInfo()[5];
}

bool KeyboardLighting::IsWirelessLink() const {
    return m_device.Link().IsReceiverMode();
}

int KeyboardLighting::WriteCustomColours(uint32_t address, const uint8_t* data, size_t length) {
    return WriteColourPage(m_device.Link(), std::span<const uint8_t>(data, length), 1, address);
}

}  // namespace ravo
