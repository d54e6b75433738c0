#pragma once

#include "devices/KeyAssignmentPair.h"
#include "devices/KeyboardKeyMap.h"
#include "devices/LightRecord.h"
#include "devices/NorvexUSBDevice.h"
#include "profile/KeyboardProfiledata.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace ravo {

class KeyboardLighting;

// The device object of the 87-key RGB keyboard: its key table and LED map, the mapping of the
// program's 126 key numbers onto them, the lighting-and-system record of its on-board profiles,
// its settings, the download of key assignments and macros, its live frame and its page.
//
// Beyond the base's light lock (which here also guards the keyboard light copy, the light
// record and the device profile number, written by the listener threads through
// HandleSyncCode), everything is used on the UI thread.
class CNorvexKeyboardDevice : public CNorvexUSBDevice {
public:
    static constexpr int kKeyNumbers = kKeyboardKeyNumbers;

    explicit CNorvexKeyboardDevice(QWidget* parent = nullptr);
    ~CNorvexKeyboardDevice() override;

    CDuiString GetClass() const override { return "NorvexKeyboardDevice"; }

    int BuildPage() override;
    int ApplyProfile() override;
    void OutputFrame() override;
    void OnAttached() override;
    void OnResync() override;
    void PollStatus() override;
    int IsReceiverLinkOnline() override;
    int ReloadProfile() override;
    void RefreshPage() override;
    void RepairMacroAssignments() override;
    void RestoreDefaultProfile() override;
    std::vector<int> CollectAssignedMacros() override;
    int WriteKeyTable(int profileNumber, std::vector<KeyListEntry> assignments) override;
    int WriteCurrentKeyTable(int profileNumber) override;
    // 0 when sent, or when macro.config cannot be read or the list is empty; the number of
    // 4-byte events that do not fit plus one; -1 when the image cannot be made.
    int WriteMacros(const std::vector<int>& macroIndices) override;
    int WriteLightRecord(int profileNumber, int indexByte, int a, int b, int c) override;
    void ReloadNameLists() override;
    void SetFunctionPage(int page) override;
    void SetProfilePaths() override;
    CDuiString GetProfilePath() override;
    void SaveProfile() override;
    void SetLightSetIndex(int index) override;
    void SetLightSettings(uint32_t word0, uint32_t word1, uint32_t word2, uint16_t word3) override;
    void SetAudioLightSettings(uint32_t word0, uint32_t word1, uint32_t word2) override;
    void SelectKey(int key) override;
    int BuildDevicePage() override;

    // The keyboard's own operations.
    void ReadKeyTables();
    void BuildKeyMaps();
    int ReadLightRecord();
    // A code from a listener thread (any thread): on-board profile switches.
    void HandleSyncCode(uint32_t code);
    void SetLastListenerCode(uint32_t code) { m_lastListenerCode.store(code); }
    void RefreshKeyTexts();
    void SetKeyTip(int key, const CDuiString& text);
    void SetKeyAssignment(uint32_t word0, uint32_t word1, uint32_t word2);
    void SetAssignments(const std::vector<KeyListEntry>& list);
    void SetSecondAssignments(const std::vector<KeyListEntry>& list);
    std::vector<KeyListEntry> GetAssignments() const { return m_assignments; }

    // Settings controls of the page.
    void SetPollingRateOption(int n);
    void SetRepeatDelayOption(int n);
    void SetWinLock(int flag);
    void SetWasd(int flag);
    void SetKey6(int flag);
    void SetRepeatRate(int value);
    void ClearRepeatInput();
    void SetRepeatInputTip();
    int GetPollingRateOption() const;
    int GetRepeatDelayOption() const;
    int GetWinLock() const;
    int GetWasd() const;
    int GetKey6() const;
    int GetRepeatRate() const;

    // State for callers and tests.
    const KeyboardKeyMap& KeyMap() const { return m_keyMap; }
    uint8_t DeviceProfileNumber() const;
    LightRecord LightRecordBlock() const;
    KeyboardLightCopy LightCopy() const;
    SystemStageWords SystemSettings() const { return m_system; }
    CKeyboardProfiledata& ProfileData() { return m_profile; }
    const std::vector<int>& ModeValues() const { return m_modeValues; }
    const std::vector<QString>& MacroNames() const { return m_macroNames; }
    // The language's text for a key, through the page's "text_test" label.
    CDuiString Translate(const CDuiString& key);
    // The caption of an assignment (key name, macro name, ...).
    CDuiString AssignmentText(const KeyCode& code);

    // The software lighting: effect engine, light thread and the two listeners.
    KeyboardLighting& Lighting() { return *m_lighting; }
    // The listeners by interface kind (1: listener A, 9: listener B; others are ignored).
    bool OpenListener(const std::string& path, int kind) override;
    void CloseListener(int kind) override;
    bool ReopenListener(const std::string& path, int kind);
    // Starts the light thread, stopping a running one first.
    void StartLightThread();
    // Stops the light thread and both listeners, each within its limit.
    void StopWorkerThreads();

private:
    // Hands the software lighting the current settings; with `modeStart` the base's effect
    // state is cleared and the mode restarted first. Light lock not held.
    void SyncLighting(bool modeStart);
    void SelectNumberedOption(const char* prefix, int n);
    int SelectedNumberedOption(const char* prefix) const;
    static std::vector<KeyAssignmentPair> PairsOf(const std::vector<KeyListEntry>& list);
    static bool ModeIsDeviceDriven(int mode);

    KeyTableImage m_keyTableImage{};
    KeyTableImage m_ledMapImage{};
    KeyboardKeyMap m_keyMap;
    // Guarded by the light lock.
    struct PreviousLightBlock {
        uint8_t profileNumber = 0;
        KeyboardLightCopy copy;
    } m_previousLightBlock;
    uint8_t m_deviceProfileNumber = 0;
    KeyboardLightCopy m_lightCopy;
    LightRecord m_lightRecord{};

    std::vector<KeyListEntry> m_assignments;
    std::vector<KeyListEntry> m_secondAssignments;
    SystemStageWords m_system{};
    CKeyboardProfiledata m_profile;
    QPointer<QWidget> m_keyPanel;
    QPointer<QWidget> m_macroPanel;
    std::atomic<uint32_t> m_lastListenerCode{0};
    // Last member: its threads stop before anything they use goes away.
    std::unique_ptr<KeyboardLighting> m_lighting;
};

}  // namespace ravo
