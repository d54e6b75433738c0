#pragma once

#include "app/DeviceListPorts.h"

#include <chrono>
#include <functional>
#include <vector>

namespace ravo {

enum class DeviceFamily { None, Keyboard, Mouse, MousePad, Headset };

// The family that serves a supported-device type: 1 and 9 keyboard, 2 and 6 mouse, 3 mouse
// pad, 7 headset; any other type none.
DeviceFamily FamilyOfType(int type);

// Selector item timers.
inline constexpr int kTimerFrame = 1000;
inline constexpr int kTimerAttach = 1001;
inline constexpr int kTimerResync = 1002;
inline constexpr int kTimerSpareA = 1003;
inline constexpr int kTimerSpareB = 1004;
inline constexpr int kTimerPower = 1005;
inline constexpr int kTimerOnlineCheck = 1007;

// The main window's side of hot-plug: slots that arrive and leave, the device objects they
// belong to, their links and their selector items. Runs on the UI thread only; the slot list
// is read while the watcher waits for the arrival or removal to be handled.
class DeviceList {
public:
    DeviceList(const std::vector<DeviceSlot>& slotList, DeviceListView& view);

    // Creates the hidden entries of the mouse and the keyboard.
    void CreateInitialEntries();
    // The entry of supported row `row`; false when the row has no device kind or the view
    // could not build it.
    bool CreateDeviceEntry(int row, int sub);

    void OnSlotArrived(int slot);            // message 3090
    void OnSlotRemoved(int slot);            // message 3091
    void OnLinkMode(int item, bool online);  // message 3331
    void OnItemTimer(int item, int timerId);

    void ShowDeviceItem(int item, bool visible, bool select);
    void HideLostDevice(int item);
    struct Visible {
        int first = -1;
        int count = 0;
    };
    Visible FindFirstVisible() const;

    // "selectchanged" of a selector button, and the previous / next buttons of the strip.
    void OnSelectionChanged();
    void SelectPrevious();
    void SelectNext();

    int ItemCount() const { return static_cast<int>(m_entries.size()); }
    ListedDevice* DeviceAt(int item) const;
    SelectorItem* ItemAt(int item) const;
    int IndexOf(const ListedDevice* device) const;
    // The device of the page shown, or null.
    ListedDevice* CurrentDevice() const;
    int CurrentIndex() const { return m_current.index; }
    int CurrentType() const { return m_current.type; }
    int CurrentSubType() const { return m_current.subType; }

    const std::vector<ListedDevice*>& Devices(DeviceFamily family) const;

    // Pause between on-line queries after a switch to the receiver.
    void SetOnlineRetryPause(std::chrono::milliseconds pause) { m_retryPause = pause; }

private:
    struct Entry {
        ListedDevice* device = nullptr;
        SelectorItem* item = nullptr;
        DeviceFamily family = DeviceFamily::None;
        int offlineCount = 0;
    };
    struct Selection {
        int index = -1;
        int type = 0;
        int subType = 0;
    };

    bool ValidSlot(int slot) const;
    const DeviceSlot* Partner(int slot) const;
    bool PartnerLinkConnected(int slot) const;
    std::vector<ListedDevice*>& FamilyList(DeviceFamily family);
    ListedDevice* FindByIdentity(DeviceFamily family, const DeviceSupportEntry& identity) const;
    bool EntryExists(const DeviceSupportEntry& identity) const;
    const DeviceSupportEntry& CommandIdentity(int slot) const;

    void Attach(int slot, DeviceFamily family);
    void AttachEventInterface(int slot, DeviceFamily family);
    void DetachEventInterface(int slot, DeviceFamily family);
    void SwitchLinks(int slot);
    void ShowAttachedItem(int item, bool cable);

    const std::vector<DeviceSlot>& m_slots;
    DeviceListView& m_view;
    std::vector<Entry> m_entries;  // in selector-strip order
    std::vector<ListedDevice*> m_mousePads;
    std::vector<ListedDevice*> m_mice;
    std::vector<ListedDevice*> m_keyboards;
    std::vector<ListedDevice*> m_headsets;
    std::vector<ListedDevice*> m_none;
    Selection m_current;
    std::chrono::milliseconds m_retryPause{50};
};

}  // namespace ravo
