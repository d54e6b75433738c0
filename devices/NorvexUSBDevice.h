#pragma once

#include "app/toolkit/ControlUI.h"
#include "app/toolkit/DuiString.h"
#include "app/toolkit/Notify.h"
#include "device/CommandLink.h"
#include "device/DeviceCatalogue.h"
#include "devices/LightEntry.h"
#include "devices/LightRecord.h"
#include "profile/ProfileRecords.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

namespace ravo {

class CDeviceKeyButtonUI;

// A connected device: at once its page (a container control of the main window's device area)
// and the owner of what the program knows about it - its command links, the run-time copy of
// its settings, the light buffer effects draw into, its profile data and the page controls.
// The operations are virtual with neutral base bodies, so callers never test the device kind.
//
// Threads: everything runs on the UI thread except the lighting steps, which the light thread
// runs. The light buffer and the effect state (phase .. levels, hues, column flags) are handed
// over under LightLock(): the light thread holds it for each step's writes, OutputFrame for
// each frame's copy, the UI thread for each replacement. Nothing else is called while it is
// held. The sequence lock and the per-light lock guard the light sequence and the per-light
// overrides.
class CNorvexUSBDevice : public CControlT<QWidget>, public INotifyUI {
public:
    static constexpr int kMaxLevelLights = 170;
    static constexpr int kColumns = 23;

    explicit CNorvexUSBDevice(QWidget* parent = nullptr);
    ~CNorvexUSBDevice() override;

    CDuiString GetClass() const override { return "NorvexUSBDevice"; }

    // The toolkit's notifications of the window; only those of controls of this page are
    // handed to the notify pump.
    void Notify(TNotifyUI& msg) override;
    // Sub-notifiers of the pump (none by default).
    void AddPumpTarget(INotifyUI* target);
    void RemovePumpTarget(INotifyUI* target);

    // 1..46: the device operations.
    virtual int BuildPage();
    virtual int ApplyProfile() { return 0; }
    virtual void StepBreathe() {}
    virtual void StepBreatheFourColours() {}
    virtual void StepStatic() {}
    virtual void StepSpectrum() {}
    virtual void StepFlash() {}
    virtual void StepFlashFourColours() {}
    virtual void StepOff();
    virtual void OutputFrame();
    virtual void SetLight(int index, LightEntry entry);
    virtual LightEntry GetLight(int index) const;
    virtual void OnAttached() {}
    virtual void OnResync() {}
    virtual void OnSpareTimerA() {}
    virtual void OnSpareTimerB() {}
    virtual void PollStatus() {}
    virtual int IsReceiverLinkOnline() { return 1; }
    virtual int ReloadProfile() { return 0; }
    virtual void RefreshPage() {}
    virtual void RepairMacroAssignments() {}
    virtual void RestoreDefaultProfile() {}
    virtual std::vector<int> CollectAssignedMacros() { return {}; }
    virtual int WriteKeyTable(int profileNumber, std::vector<KeyListEntry> assignments);
    virtual int WriteCurrentKeyTable(int profileNumber);
    virtual int WriteMacros(const std::vector<int>& macroIndices);
    virtual int WriteLightRecord(int profileNumber, int indexByte, int a, int b, int c);
    virtual void ReloadNameLists() {}
    virtual void SetKeyGroupMap(const std::map<int, int>& map);
    virtual void DecayLevel(int light, int variant);
    virtual void IgniteColumns();
    virtual void RotateColumns(int direction);
    virtual void ClearLevels();
    virtual void SetFunctionPage(int page);
    virtual int GetFunctionPage() const { return m_functionPage; }
    virtual void SetProfilePaths() {}
    virtual CDuiString GetProfilePath() { return {}; }
    virtual void SaveProfile() {}
    virtual void SetLightSetIndex(int index) { m_lightSetIndex = index; }
    virtual int GetLightSetIndex() const { return m_lightSetIndex; }
    virtual void SetLightSettings(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t word3);
    virtual void SetAudioLightSettings(uint32_t word0, uint32_t word1, uint32_t word2);
    virtual AudioLightWords ReadAudioLightSettings(int reserved);
    virtual void SelectKey(int key) { m_selectedKey = key; }
    virtual void FeedAudioLevels(const int32_t* levels, int count);
    virtual void FeedExternalColour(const int32_t* values, int count);

    // 47, 48: the class's own page binding, and the light settings as four words.
    virtual int BuildDevicePage();
    // The device's event-interface listeners by interface kind; devices without them ignore
    // these.
    virtual bool OpenListener(const std::string& path, int kind) {
        (void)path;
        (void)kind;
        return false;
    }
    virtual void CloseListener(int kind) { (void)kind; }
    LightWords GetLightSettings() const;

    // Setters the device list and the main window call while attaching and running.
    void SetPageLayout(const CDuiString& path) { m_pageLayout = path; }
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    void SetKeyCount(int count);
    void SetLightCount(int count);
    void SetTypeRow(int row) { m_typeRow = row; }
    void SetPowerFlag(int flag);
    void SetProfileName(const CDuiString& name) { m_profileName = name; }
    void SetConfigName(const CDuiString& name) { m_configName = name; }
    void SetFolderName(const CDuiString& name) { m_folderName = name; }
    void SetPowerDisplay(QWidget* display);
    // Keeps a copy of the slot the device was attached to; the kind is its type code, the
    // sub-kind its interface role.
    void SetDeviceSlot(const DeviceSlot& slot);
    const DeviceSlot& GetDeviceSlot() const { return m_deviceSlot; }
    // The type code and second code directly (devices made without a slot, tests).
    void SetDeviceKinds(int kind, int subKind);
    void SetSelectorItem(QWidget* item) { m_selectorItem = item; }
    void SetSelectedKey(int key) { m_selectedKey = key; }
    void SetLightingControl(int flag);
    void SetWindowActive(int flag) { m_windowActive.store(flag); }
    void SetStatusPollSuspended(int flag);

    QWidget* GetMainWindow() const { return m_mainWindow; }
    QWidget* GetKeyLightContainer() const { return m_keyLightContainer; }
    QWidget* GetSelectorItem() const { return m_selectorItem; }
    QWidget* GetPowerDisplay() const { return m_powerDisplay; }
    int GetPowerFlag() const { return m_powerFlag; }
    int GetStatusPollSuspended() const { return m_statusPollSuspended; }
    int GetKeyCount() const { return m_keyCount; }
    int GetLightCount() const { return m_lightCount; }
    int GetTypeRow() const { return m_typeRow; }
    int GetDeviceKind() const { return m_deviceKind; }
    int GetDeviceSubKind() const { return m_deviceSubKind; }
    int GetLightingControl() const { return m_lightingControl.load(); }
    int GetWindowActive() const { return m_windowActive.load(); }
    int GetSelectedKey() const { return m_selectedKey; }
    CDuiString GetPageLayout() const { return m_pageLayout; }
    CDuiString GetProfileName() const { return m_profileName; }
    CDuiString GetConfigName() const { return m_configName; }
    CDuiString GetFolderName() const { return m_folderName; }

    // Folders and files of the device (paths end with "/").
    CDuiString DefaultDataFolder() const;
    CDuiString DefaultProfilePath() const;
    CDuiString UserFolder() const;

    CommandLink& Link() { return m_link; }
    CommandLink& ListenerLink() { return m_listenerLink; }
    const std::array<uint8_t, 34>& DeviceInfo() const { return m_deviceInfo; }

    CDeviceKeyButtonUI* KeyButton(int key) const;
    CDeviceKeyButtonUI* LightButton(int light) const;
    std::map<int, int> KeyPositionMap() const { return m_keyPositionMap; }
    std::map<int, int> LedMap() const { return m_ledMap; }
    std::map<int, int> KeyGroupMap() const { return m_keyGroupMap; }

    // The light hand-over lock (see the class comment) and the buffer it guards.
    std::mutex& LightLock() const { return m_lightLock; }
    // Runs fn(std::span<LightEntry>) with the light buffer under the light lock.
    template <class Fn>
    void WithLights(Fn&& fn) {
        std::lock_guard lock(m_lightLock);
        fn(std::span<LightEntry>(m_lights));
    }
    std::mutex& SequenceLock() { return m_sequenceLock; }
    std::mutex& PerLightLock() { return m_perLightLock; }

protected:
    // Paints every bound light button white, as a page shows before the first frame.
    void PaintButtonWhite(CDeviceKeyButtonUI* button);
    // Binds a key or light button by its name and user data ("key_N", "light_N").
    void BindButton(QWidget* control, bool lightByName);
    // Copies the light buffer for a frame (UI thread; no allocation) and updates the page.
    // Returns the number of lights copied into m_frameLights.
    size_t CopyLightsAndPreview();
    // The tab layouts, looked up once.
    void FindTabs();

    CommandLink m_link;
    CommandLink m_listenerLink;
    std::array<uint8_t, 34> m_deviceInfo{};
    QPointer<QWidget> m_lightPanel;
    QPointer<QWidget> m_profilePanel;
    QPointer<QWidget> m_keyLightContainer;
    QPointer<QWidget> m_selectorItem;
    QPointer<QWidget> m_powerDisplay;
    QPointer<QWidget> m_functionTabs;
    QPointer<QWidget> m_keyFunctionTabs;
    CDuiString m_pageLayout;
    QPointer<QWidget> m_mainWindow;
    CDuiString m_profileName;
    CDuiString m_configName;
    CDuiString m_folderName;
    int m_deviceKind = 0;
    int m_deviceSubKind = 0;
    int m_keyCount = 0;
    int m_lightCount = 0;
    int m_typeRow = -1;
    int m_selectedKey = -1;
    int m_functionPage = 1;
    bool m_tabsLooked = false;
    std::vector<QPointer<CDeviceKeyButtonUI>> m_keyButtons;
    std::vector<QPointer<CDeviceKeyButtonUI>> m_lightButtons;
    std::map<int, int> m_keyPositionMap;
    std::map<int, int> m_ledMap;
    std::map<int, int> m_keyGroupMap;

    // Guarded by m_lightLock: the light buffer and the effect state below.
    mutable std::mutex m_lightLock;
    std::vector<LightEntry> m_lights;
    uint8_t m_phase = 0;
    uint8_t m_colourIndex = 0;
    uint8_t m_secondIndex = 0;
    uint8_t m_blinkState = 0;
    uint32_t m_blinkTime = 0;
    std::array<uint8_t, kMaxLevelLights> m_levels{};
    std::array<uint8_t, kMaxLevelLights> m_hues{};
    std::array<uint8_t, kColumns> m_columnFlags{};
    std::array<int32_t, 25> m_musicLevels{};
    std::array<int32_t, 25> m_musicColumnFlags{};
    std::array<int32_t, 6> m_externalColour{};

    // UI thread only: the copy a frame is built from (sized with the light count).
    std::vector<LightEntry> m_frameLights;

    LightSettingsBytes m_lightSettings{};
    AudioLightWords m_audioLightSettings{};

    std::mutex m_sequenceLock;  // guards m_lightSequence and m_sequenceCursor
    std::vector<LightStep> m_lightSequence;
    int m_sequenceCursor = 0;
    int m_sequenceLength = 0;
    std::mutex m_perLightLock;  // guards m_lightOverrides
    std::vector<LightListEntry> m_lightOverrides;

    std::atomic<int> m_lightingControl{1};
    std::atomic<int> m_windowActive{1};

    // Name lists (ReloadNameLists).
    std::vector<QString> m_areaLightNames;
    std::vector<QString> m_defaultLightNames;
    std::vector<int> m_defaultLightVisible;
    std::vector<QString> m_userLightNames;
    std::vector<QString> m_macroNames;
    std::vector<int> m_modeValues;

    int m_powerFlag = 0;
    int m_statusPollSuspended = 0;
    DeviceSlot m_deviceSlot;
    int m_lightSetIndex = 0;

private:
    std::vector<INotifyUI*> m_pumpTargets;
};

}  // namespace ravo
