#include "app/MpDevicePowerUI.h"

#include "app/PowerStatusView.h"
#include "app/toolkit/ControlOps.h"

namespace ravo {

void CMpDevicePowerUI::BindSubControls() {
    m_layout = ui::FindControl(this, "device_power_Layout");
    m_value = ui::FindControl(this, "device_power_value");
    m_wireless = ui::FindControl(this, "device_wuxian_logo");
    m_status = ui::FindControl(this, "device_power_status");
    m_progress = ui::FindControl(this, "device_Power_progress");
    m_phone = ui::FindControl(this, "device_phone_type");
}

void CMpDevicePowerUI::ShowPowerPart(bool show) {
    ui::SetVisible(m_layout, show);
}

void CMpDevicePowerUI::ShowPowerStatus(std::span<const uint8_t> status) {
    const PowerStatusView view = MakePowerStatusView(status, m_type);
    ui::SetValue(m_progress, view.progress);
    ui::SetText(m_value, view.valueText);
    ui::SetVisible(m_wireless, view.wireless);
    if (!view.statusImage.isEmpty())
        ui::SetBkImage(m_status, view.statusImage);
    if (view.hasPhone) {
        ui::SetBkImage(m_phone, view.phoneImage);
        ui::SetResourceText(m_phone, view.phoneText);
    }
}

}  // namespace ravo
