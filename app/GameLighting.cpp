#include "app/GameLighting.h"

namespace ravo {

GameLighting::GameLighting(CurrentDevice current, StartTimer startTimer)
    : m_current(std::move(current)), m_startTimer(std::move(startTimer)) {}

void GameLighting::OnGameEvent(uintptr_t wParam, intptr_t lParam) {
    GameLightingDevice* device = m_current ? m_current() : nullptr;
    if (wParam <= 2 && device) {
        const auto mode = static_cast<uint8_t>(lParam & 0xFF);
        device->ResumeLightOutput();
        device->SelectPanelMode(mode);
        GameLightingDevice::Settings settings = device->GetLightSettings();
        settings[0] = mode;
        device->SetLightSettings(settings);
        device->SaveProfile();
        device->PushLighting();
    }
    if (m_startTimer)
        m_startTimer(kRestoreTimer, kRestoreDelayMs);
}

void GameLighting::OnRestoreTimer() {
    GameLightingDevice* device = m_current ? m_current() : nullptr;
    if (!device)
        return;
    device->ResumeLightOutput();
    GameLightingDevice::Settings settings = device->GetLightSettings();
    device->SelectPanelMode(settings[13]);
    settings[0] = settings[13];
    device->SetLightSettings(settings);
    device->SaveProfile();
    device->PushLighting();
}

}  // namespace ravo
