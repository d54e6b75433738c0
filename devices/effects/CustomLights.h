#pragma once

// The custom per-key colours of mode 20: the profile keeps one colour page per custom group;
// the keyboard keeps the same pages in its memory (command 0x0B). Runs on the UI thread.

#include "devices/effects/LightTypes.h"
#include "devices/effects/SoftwareLighting.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace ravo::effects {

// What the custom colours need of the keyboard device (profile, lighting panel, command link).
class CustomLightsHost {
public:
    virtual ~CustomLightsHost() = default;

    // Profile: "CustomLightModeGroupIndex" and the "LightColorInfo" page of a group.
    virtual int ProfileCustomGroup() const = 0;
    virtual void SetProfileCustomGroup(int group) = 0;
    // Fills `out` with the group's colours; false when the group is unknown.
    virtual bool LoadCustomGroup(int group, std::span<LightEntry> out) = 0;
    virtual void StoreCustomGroup(int group, std::span<const LightEntry> colours) = 0;
    virtual void SaveProfile() = 0;

    // Lighting panel's custom group; -1 when none is chosen.
    virtual int PanelCustomGroup() const = 0;
    virtual void SetPanelCustomGroup(int group) = 0;

    // Keyboard: LED index of a light (255 = none), DeviceInfo byte 5, link kind, command 0x0B.
    virtual uint8_t LedOfLight(size_t light) const = 0;
    virtual size_t KeyTableEntries() const = 0;
    virtual bool IsWirelessLink() const = 0;
    // Writes `length` bytes at the device address; the command's result (1 = success).
    virtual int WriteCustomColours(uint32_t address, const uint8_t* data, size_t length) = 0;
    // Throttle after a failed upload, so a keyboard that stopped answering is not hammered.
    virtual void PauseAfterFailedUpload();
};

class CustomLights {
public:
    static constexpr size_t kPageBytes = 512;

    // Mode start: the profile's group into the light buffer, the panel told, uploaded.
    static void Start(SoftwareLighting& lighting, CustomLightsHost& host);
    static void SetGroup(CustomLightsHost& host, int group);
    static void Fill(SoftwareLighting& lighting, CustomLightsHost& host, int flag);
    static void PaintKey(SoftwareLighting& lighting, CustomLightsHost& host, int light);
    static void Upload(SoftwareLighting& lighting, CustomLightsHost& host);
};

}  // namespace ravo::effects
