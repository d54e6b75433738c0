#pragma once

#include "app/SelectorItem.h"
#include "device/DeviceCatalogue.h"

#include <string>

namespace ravo {

// What the device list needs of a device object and its command link. The real one wraps a
// CNorvexUSBDevice; tests use fakes.
class ListedDevice {
public:
    virtual ~ListedDevice() = default;

    // The supported-device row the object stands for (its DeviceSlot copy).
    virtual const DeviceSupportEntry& Identity() const = 0;
    virtual void SetIdentity(const DeviceSupportEntry& identity) = 0;

    virtual bool LinkOpen() const = 0;
    // True while commands go through the receiver.
    virtual bool OnReceiver() const = 0;
    // Under the link's I/O lock: opens the receiver or the cable interface on path (read and
    // write, shared, overlapped) and sets the open flag on success.
    virtual bool OpenLink(bool receiver, const std::string& path) = 0;
    // Under the I/O lock: clears the open flag, closes the link the device is on now's partner
    // and reopens it on path: the cable when on the receiver, else the receiver. Sets the open
    // flag on success.
    virtual bool SwitchLink(const std::string& path) = 0;
    virtual void SetLinkMode(int mode) = 0;
    // Clears the open flag and closes the cable and (unless cableOnly) the receiver interface.
    virtual void CloseLink(bool cableOnly) = 0;

    virtual bool HasBattery() const = 0;
    virtual bool QueryOnline() = 0;
    virtual void ReadPowerStatus() = 0;

    // The event readers of the device's consumer collections, one per link.
    virtual bool EventReaderOpen(bool receiver) const = 0;
    // `interfaceKind`: the device type of the event interface's supported-device row.
    virtual void OpenEventReader(bool receiver, int interfaceKind, const std::string& path) = 0;
    virtual void CloseEventReader(bool receiver) = 0;

    virtual void SetLightingSyncPossible(bool possible) = 0;

    // Driven by the selector item's timers.
    virtual void OnAttached() = 0;
    // Sends one live frame; true when the page asks to be repainted.
    virtual bool OutputFrame() = 0;
    virtual void OnResync() = 0;
    virtual void OnSpareTimerA() = 0;
    virtual void OnSpareTimerB() = 0;
};

// The main window as the device list sees it.
class DeviceListView {
public:
    virtual ~DeviceListView() = default;

    struct Entry {
        ListedDevice* device = nullptr;
        SelectorItem* item = nullptr;
    };
    // Builds the power indicator, the page with its device object and the selector item of
    // device kind `kind` for supported row `row` (the object's identity), adds them to their
    // containers and leaves the item hidden. An empty entry when any part cannot be built.
    virtual Entry CreateEntry(int kind, int row, int sub) = 0;

    virtual void SelectDevicePage(int index) = 0;
    // A negative index hides the power container.
    virtual void SelectPowerPage(int index) = 0;
    virtual void SetNoDevicePanelVisible(bool visible) = 0;
    // The selected device was lost: close the tool windows and end a key or macro capture.
    virtual void EndWorkOnLostDevice() = 0;
    // Refresh the no-device panel, restore the window and bring it to the front.
    virtual void Activate() = 0;
};

}  // namespace ravo
