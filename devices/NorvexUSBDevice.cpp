#include "devices/NorvexUSBDevice.h"

#include "app/toolkit/ControlOps.h"
#include "device/KeyboardCommands.h"
#include "devices/FunctionPageTabs.h"
#include "devices/KeyboardFrame.h"
#include "devices/PowerDisplay.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/SelectPanelUI.h"
#include "profile/DataFolders.h"
#include "profile/TextRoutines.h"

#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace ravo {

Q_LOGGING_CATEGORY(lcDevices, "ravo.devices", QtWarningMsg)

namespace {

constexpr int kMaxLights = 4096;
constexpr auto kFailedFramePause = std::chrono::milliseconds(200);

bool IsClass(QWidget* w, const char* className) {
    CControlUI* c = ui::AsControl(w);
    return c != nullptr && c->GetClass() == className;
}

}  // namespace

CNorvexUSBDevice::CNorvexUSBDevice(QWidget* parent) : CControlT<QWidget>(parent) {}

CNorvexUSBDevice::~CNorvexUSBDevice() = default;

void CNorvexUSBDevice::Notify(TNotifyUI& msg) {
    if (msg.pSender == nullptr) {
        return;
    }
    if (ui::FindControl(this, msg.SenderName()) != msg.pSender) {
        return;
    }
    qCDebug(lcDevices) << "page notification" << msg.sType.GetData() << msg.SenderName().GetData();
    for (INotifyUI* target : m_pumpTargets) {
        target->Notify(msg);
    }
}

void CNorvexUSBDevice::AddPumpTarget(INotifyUI* target) {
    if (target != nullptr &&
        std::find(m_pumpTargets.begin(), m_pumpTargets.end(), target) == m_pumpTargets.end()) {
        m_pumpTargets.push_back(target);
    }
}

void CNorvexUSBDevice::RemovePumpTarget(INotifyUI* target) {
    m_pumpTargets.erase(std::remove(m_pumpTargets.begin(), m_pumpTargets.end(), target),
                        m_pumpTargets.end());
}

int CNorvexUSBDevice::BuildPage() {
    if (m_pageLayout.IsEmpty()) {
        m_keyCount = 0;
        SetLightCount(0);
        m_keyButtons.clear();
        return 0;
    }
    QWidget* container = nullptr;
    for (QObject* child : children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && IsClass(w, CSelectPanelUI::kClassName)) {
            container = w;
            break;
        }
    }
    if (container == nullptr) {
        return 0;
    }
    m_keyLightContainer = container;
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w != nullptr && IsClass(w, CDeviceKeyButtonUI::kClassName)) {
            BindButton(w, false);
        }
    }
    return 1;
}

int CNorvexUSBDevice::BuildDevicePage() {
    return 0;
}

void CNorvexUSBDevice::BindButton(QWidget* control, bool lightByName) {
    auto* button = dynamic_cast<CDeviceKeyButtonUI*>(control);
    if (button == nullptr) {
        return;
    }
    const NumberedName byName = SplitNumberedName(control->objectName());
    if (byName.ok && byName.prefix.compare("key_", Qt::CaseInsensitive) == 0 &&
        byName.number >= 0 && static_cast<size_t>(byName.number) < m_keyButtons.size()) {
        m_keyButtons[static_cast<size_t>(byName.number)] = button;
    } else if (lightByName && byName.ok && byName.prefix == "light_" && byName.number >= 0 &&
               byName.number < m_lightCount &&
               static_cast<size_t>(byName.number) < m_lightButtons.size()) {
        m_lightButtons[static_cast<size_t>(byName.number)] = button;
        PaintButtonWhite(button);
    }
    const NumberedName byData = SplitNumberedName(ui::GetUserData(control).GetData());
    if (byData.ok && byData.prefix == "light_" && byData.number >= 0 &&
        static_cast<size_t>(byData.number) < m_lightButtons.size()) {
        m_lightButtons[static_cast<size_t>(byData.number)] = button;
        PaintButtonWhite(button);
    }
}

void CNorvexUSBDevice::PaintButtonWhite(CDeviceKeyButtonUI* button) {
    button->SetLightColour(0xFFFFFF, 255, true);
}

CDeviceKeyButtonUI* CNorvexUSBDevice::KeyButton(int key) const {
    if (key < 0 || static_cast<size_t>(key) >= m_keyButtons.size()) {
        return nullptr;
    }
    return m_keyButtons[static_cast<size_t>(key)];
}

CDeviceKeyButtonUI* CNorvexUSBDevice::LightButton(int light) const {
    if (light < 0 || static_cast<size_t>(light) >= m_lightButtons.size()) {
        return nullptr;
    }
    return m_lightButtons[static_cast<size_t>(light)];
}

void CNorvexUSBDevice::StepOff() {
    std::lock_guard lock(m_lightLock);
    std::fill(m_lights.begin(), m_lights.end(), LightEntry{});
}

size_t CNorvexUSBDevice::CopyLightsAndPreview() {
    size_t count = 0;
    {
        std::lock_guard lock(m_lightLock);
        count = std::min(m_lights.size(), m_frameLights.size());
        std::copy_n(m_lights.begin(), count, m_frameLights.begin());
    }
    for (size_t i = 0; i < count && i < m_lightButtons.size(); ++i) {
        CDeviceKeyButtonUI* button = m_lightButtons[i];
        if (button != nullptr && button->isVisible()) {
            const LightEntry& e = m_frameLights[i];
            button->SetLightColour(PackPreviewColour(e), e.brightness, true);
        }
    }
    return count;
}

void CNorvexUSBDevice::OutputFrame() {
    if (m_lightingControl.load() == 0) {
        return;
    }
    const size_t count = CopyLightsAndPreview();
    LightPage frame;
    BuildLightIndexFrame(m_frameLights.data(), count, frame);
    if (m_link.IsReceiverMode()) {
        return;
    }
    const size_t length = std::min(frame.size(), static_cast<size_t>(m_lightCount) * 3);
    if (StreamLighting(m_link, std::span<const uint8_t>(frame.data(), length)) != kCommandOk) {
        std::this_thread::sleep_for(kFailedFramePause);
    }
}

void CNorvexUSBDevice::SetLight(int index, LightEntry entry) {
    std::lock_guard lock(m_lightLock);
    if (index < 0 || static_cast<size_t>(index) >= m_lights.size()) {
        return;
    }
    m_lights[static_cast<size_t>(index)] = entry;
}

LightEntry CNorvexUSBDevice::GetLight(int index) const {
    std::lock_guard lock(m_lightLock);
    if (index < 0 || static_cast<size_t>(index) >= m_lights.size()) {
        return {};
    }
    return m_lights[static_cast<size_t>(index)];
}

int CNorvexUSBDevice::WriteKeyTable(int, std::vector<KeyListEntry>) {
    return 0;
}

int CNorvexUSBDevice::WriteCurrentKeyTable(int) {
    return 0;
}

int CNorvexUSBDevice::WriteMacros(const std::vector<int>&) {
    return 0;
}

int CNorvexUSBDevice::WriteLightRecord(int, int, int, int, int) {
    return 0;
}

void CNorvexUSBDevice::SetKeyGroupMap(const std::map<int, int>& map) {
    m_keyGroupMap = map;
}

void CNorvexUSBDevice::DecayLevel(int light, int variant) {
    if (light < 0 || light >= kMaxLevelLights) {
        return;
    }
    std::lock_guard lock(m_lightLock);
    uint8_t& l = m_levels[static_cast<size_t>(light)];
    int by = 0;
    if (variant == 0) {
        by = l >= 128 ? 40 : (l & 0x40) ? 30 : (l & 0x20) ? 15 : l > 16 ? 8 : l != 0 ? 1 : 0;
    } else if (variant == 29) {
        by = (l & 0x90) ? 45 : (l & 0x70) ? 35 : l != 0 ? 1 : 0;
    } else {
        by = (l & 0x80) ? 40 : (l & 0x40) ? 30 : (l & 0x20) ? 10 : l > 16 ? 8 : l != 0 ? 1 : 0;
    }
    l = static_cast<uint8_t>(l - by);
}

void CNorvexUSBDevice::IgniteColumns() {
    std::lock_guard lock(m_lightLock);
    for (size_t c = 0; c <= 8; ++c) {
        if (m_columnFlags[c] != 0) {
            m_levels[c] = 255;
        }
    }
}

void CNorvexUSBDevice::RotateColumns(int direction) {
    std::lock_guard lock(m_lightLock);
    if (direction != 0) {
        std::rotate(m_columnFlags.rbegin(), m_columnFlags.rbegin() + 1, m_columnFlags.rend());
    } else {
        std::rotate(m_columnFlags.begin(), m_columnFlags.begin() + 1, m_columnFlags.end());
    }
}

void CNorvexUSBDevice::ClearLevels() {
    std::lock_guard lock(m_lightLock);
    m_levels.fill(0);
    m_columnFlags.fill(0);
}

void CNorvexUSBDevice::FindTabs() {
    if (m_tabsLooked) {
        return;
    }
    m_tabsLooked = true;
    m_functionTabs = ui::FindControl(this, "device_function_switch");
    m_keyFunctionTabs = ui::FindControl(this, "device_key_function_switch");
}

void CNorvexUSBDevice::SetFunctionPage(int page) {
    m_functionPage = page;
    FindTabs();
    if (m_functionTabs == nullptr || m_keyFunctionTabs == nullptr) {
        return;
    }
    const FunctionPageTabs tabs = TabsForFunctionPage(page, m_deviceKind);
    if (tabs.functionTab >= 0) {
        ui::SelectTab(m_functionTabs, tabs.functionTab);
    }
    if (tabs.keyFunctionTab >= 0) {
        ui::SelectTab(m_keyFunctionTabs, tabs.keyFunctionTab);
    }
}

void CNorvexUSBDevice::SetLightSettings(uint32_t word0, uint32_t word1, uint32_t word2,
                                        uint16_t word3) {
    const LightSettings s = LightSettingsFromWords({word0, word1, word2, word3});
    static_assert(sizeof(s) == kLightSettingsBytes);
    std::memcpy(m_lightSettings.data(), &s, sizeof(s));
}

LightWords CNorvexUSBDevice::GetLightSettings() const {
    LightSettings s;
    std::memcpy(&s, m_lightSettings.data(), sizeof(s));
    return LightSettingsToWords(s);
}

void CNorvexUSBDevice::SetAudioLightSettings(uint32_t word0, uint32_t word1, uint32_t word2) {
    m_audioLightSettings = {word0, word1, word2};
}

AudioLightWords CNorvexUSBDevice::ReadAudioLightSettings(int) {
    return m_audioLightSettings;
}

void CNorvexUSBDevice::FeedAudioLevels(const int32_t*, int) {}

void CNorvexUSBDevice::FeedExternalColour(const int32_t*, int) {}

void CNorvexUSBDevice::SetKeyCount(int count) {
    count = std::clamp(count, 0, kMaxLights);
    if (count == m_keyCount) {
        return;
    }
    m_keyCount = count;
    m_keyButtons.resize(static_cast<size_t>(count));
}

void CNorvexUSBDevice::SetLightCount(int count) {
    count = std::clamp(count, 0, kMaxLights);
    const size_t n = static_cast<size_t>(count);
    {
        std::lock_guard lock(m_lightLock);
        if (count != m_lightCount) {
            m_lightCount = count;
            m_lightButtons.resize(n);
            m_lights.resize(n);
            m_frameLights.resize(n);
        }
        std::fill(m_lights.begin(), m_lights.end(), LightEntry{});
    }
    std::lock_guard lock(m_perLightLock);
    m_lightOverrides.assign(n, LightListEntry{});
}

void CNorvexUSBDevice::SetPowerFlag(int flag) {
    m_powerFlag = flag;
    if (auto* display = dynamic_cast<IPowerDisplay*>(m_powerDisplay.data())) {
        display->SetPowerFlag(flag);
    }
}

void CNorvexUSBDevice::SetPowerDisplay(QWidget* display) {
    m_powerDisplay = display;
    if (auto* d = dynamic_cast<IPowerDisplay*>(display)) {
        d->SetPowerFlag(m_powerFlag);
    }
}

void CNorvexUSBDevice::SetDeviceSlot(const DeviceSlot& slot) {
    m_deviceSlot = slot;
    SetDeviceKinds(slot.deviceType, slot.role);
}

void CNorvexUSBDevice::SetDeviceKinds(int kind, int subKind) {
    m_deviceKind = kind;
    m_deviceSubKind = 0;
    m_deviceSubKind = subKind;
}

void CNorvexUSBDevice::SetLightingControl(int flag) {
    m_lightingControl.store(flag);
    if (flag == 1 && m_deviceKind == 1) {
        ResumeLighting(m_link);
    }
}

void CNorvexUSBDevice::SetStatusPollSuspended(int flag) {
    if (m_powerFlag != 0) {
        m_statusPollSuspended = flag;
    }
}

CDuiString CNorvexUSBDevice::DefaultDataFolder() const {
    return ProgramDataFolder();
}

CDuiString CNorvexUSBDevice::DefaultProfilePath() const {
    return DefaultProfilePathFor(m_folderName.GetData());
}

CDuiString CNorvexUSBDevice::UserFolder() const {
    return DeviceUserFolder(m_folderName.GetData());
}

}  // namespace ravo
