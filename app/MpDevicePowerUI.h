#pragma once

#include "app/toolkit/ControlUI.h"
#include "devices/PowerDisplay.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <span>

namespace ravo {

// A device's power indicator in "device_power_switch" ("MpDevicePower", built from
// "XML\\CustomControlXML\\MpDevicePower.xml"): battery level, charge state, wireless logo and,
// for the mouse pad, the phone on its charger.
class CMpDevicePowerUI : public CControlT<QWidget>, public IPowerDisplay {
public:
    CDuiString GetClass() const override { return "MpDevicePower"; }

    // Caches the sub-controls once the layout below the indicator is built.
    void BindSubControls();
    void SetDeviceType(int type, int subType) {
        m_type = type;
        m_subType = subType;
    }
    int DeviceType() const { return m_type; }
    int SubType() const { return m_subType; }

    // Shows or hides the battery part (the device page's battery flag).
    void ShowPowerPart(bool show);
    // Displays a power status of up to 64 bytes (shorter ones read as zero-filled).
    void ShowPowerStatus(std::span<const uint8_t> status);

    // IPowerDisplay: what the device object reports.
    void SetPowerFlag(int flag) override { ShowPowerPart(flag != 0); }
    void SetPowerStatus(const uint8_t* status, int length) override {
        if (status != nullptr && length > 0)
            ShowPowerStatus({status, static_cast<size_t>(length)});
    }

private:
    QPointer<QWidget> m_layout;
    QPointer<QWidget> m_value;
    QPointer<QWidget> m_wireless;
    QPointer<QWidget> m_status;
    QPointer<QWidget> m_progress;
    QPointer<QWidget> m_phone;
    int m_type = 0;
    int m_subType = 0;
};

}  // namespace ravo
