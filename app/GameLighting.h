#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace ravo {

// What game event lighting needs of the device whose page is shown.
class GameLightingDevice {
public:
    using Settings = std::array<uint8_t, 14>;  // LightSettings: byte 0 mode, byte 13 old mode
    virtual ~GameLightingDevice() = default;
    // Clears the link's light-output-suspended flag.
    virtual void ResumeLightOutput() = 0;
    virtual void SelectPanelMode(int mode) = 0;
    virtual Settings GetLightSettings() const = 0;
    virtual void SetLightSettings(const Settings& settings) = 0;
    virtual void SaveProfile() = 0;
    // Sends the lighting to the device and refreshes its page.
    virtual void PushLighting() = 0;
};

// "Game_Start", "Game_End", "Game_Kill", "Game_Death": a short lighting reaction on the shown
// device; the restore timer (1066) brings back the stored mode.
class GameLighting {
public:
    static constexpr int kRestoreTimer = 1066;
    static constexpr int kRestoreDelayMs = 5000;

    using CurrentDevice = std::function<GameLightingDevice*()>;
    using StartTimer = std::function<void(int id, int milliseconds)>;

    GameLighting(CurrentDevice current, StartTimer startTimer);

    void OnGameEvent(uintptr_t wParam, intptr_t lParam);
    void OnRestoreTimer();

private:
    CurrentDevice m_current;
    StartTimer m_startTimer;
};

}  // namespace ravo
