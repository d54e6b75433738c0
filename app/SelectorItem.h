#pragma once

namespace ravo {

// What the device list needs of a selector item ("DeviceOption").
class SelectorItem {
public:
    virtual ~SelectorItem() = default;
    virtual void SetItemVisible(bool visible) = 0;
    virtual bool ItemVisible() const = 0;
    virtual void SetButtonSelected(bool selected) = 0;
    virtual bool ButtonSelected() const = 0;
    // Index of the device's page in "device_switch" (-1 when unbound) and of its power
    // indicator in "device_power_switch" (-1 when none).
    virtual int PageIndex() const = 0;
    virtual int PowerIndex() const = 0;
    virtual bool SyncChecked() const = 0;
    virtual void SetSyncChecked(bool checked) = 0;
    virtual int DeviceType() const = 0;
    virtual int SubType() const = 0;
    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
    virtual void RepaintDevicePage() = 0;
};

}  // namespace ravo
