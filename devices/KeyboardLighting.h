#pragma once

// The keyboard's software lighting wired to its device object: the effect engine, the light
// thread, the two listeners and the custom colours of mode 20. The device object owns one and
// calls it: OnAttached starts the light thread; ApplyProfile and ReadLightRecord call
// Update(mode changed || mode 20), SetLightSettings Update(false); ApplyProfile also
// ReloadLists; the device list reaches the listeners through the device's OpenListener /
// CloseListener; the destructor stops every thread.
// Frames reach the device through its light buffer: the light thread mirrors every published
// frame into it (under the device's light lock), so OutputFrame stays as it is; while the
// output is suspended nothing is mirrored and the buffer belongs to whoever drives it.
//
// Threads: the public operations run on the UI thread; the host callbacks run on the light
// and listener threads and only touch the device's atomics, its light buffer under its lock,
// HandleSyncCode (thread-aware) and queued calls to the UI thread.

#include "devices/LightThread.h"
#include "devices/SyncListeners.h"
#include "devices/effects/CustomLights.h"
#include "devices/effects/SoftwareLighting.h"

#include <map>

namespace ravo {

class CNorvexKeyboardDevice;

class KeyboardLighting : private LightThreadHost,
                         private ListenerHost,
                         public effects::CustomLightsHost {
public:
    explicit KeyboardLighting(CNorvexKeyboardDevice& device);
    ~KeyboardLighting() override;
    KeyboardLighting(const KeyboardLighting&) = delete;
    KeyboardLighting& operator=(const KeyboardLighting&) = delete;

    effects::SoftwareLighting& Effects() { return m_effects; }
    LightThread& Thread() { return m_thread; }
    SyncListeners& Listeners() { return m_listeners; }

    // Takes the device's light settings and light copy; with `modeStart`, ResetEffect and the
    // mode's start (mode 20 loads and uploads its custom colours first).
    void Update(bool modeStart);
    // Takes the profile's per-light overrides and the light sequence (cursor back to 0).
    void ReloadLists();

    void StartLightThread();
    void StopWorkerThreads();

    // The lighting panel's custom group (-1: none chosen).
    void SetPanelGroup(int group) { m_panelGroup = group; }

    // CustomLightsHost
    int ProfileCustomGroup() const override;
    void SetProfileCustomGroup(int group) override;
    bool LoadCustomGroup(int group, std::span<effects::LightEntry> out) override;
    void StoreCustomGroup(int group, std::span<const effects::LightEntry> colours) override;
    void SaveProfile() override;
    int PanelCustomGroup() const override { return m_panelGroup; }
    void SetPanelCustomGroup(int group) override { m_panelGroup = group; }
    uint8_t LedOfLight(size_t light) const override;
    size_t KeyTableEntries() const override;
    bool IsWirelessLink() const override;
    int WriteCustomColours(uint32_t address, const uint8_t* data, size_t length) override;

private:
    // LightThreadHost
    bool IsLinkOpen() const override;
    bool IsLightOutputSuspended() const override;
    void OnFrame(const effects::LightBuffer& frame) override;
    // ListenerHost
    void RequestResync() override;
    void HandleSyncCode(uint16_t code) override;

    CNorvexKeyboardDevice& m_device;
    effects::SoftwareLighting m_effects;
    LightThread m_thread;
    SyncListeners m_listeners;
    int m_panelGroup = -1;        // UI thread
    std::map<int, int> m_ledMap;  // UI thread; taken at Update
};

}  // namespace ravo
