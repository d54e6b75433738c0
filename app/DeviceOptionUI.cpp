#include "app/DeviceOptionUI.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/ControlTimers.h"
#include "app/toolkit/ResourceManager.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QIcon>

namespace ravo {

CDeviceOptionUI::CDeviceOptionUI() : m_icons(IconsForStem("unknow_device")) {}

bool CDeviceOptionUI::BindSubControls() {
    m_sync = qobject_cast<QAbstractButton*>(ui::FindControl(this, "synchro_device_select"));
    m_button = qobject_cast<QAbstractButton*>(ui::FindControl(this, "device_select"));
    m_name = ui::FindControl(this, "device_select_name");
    for (QAbstractButton* b : {m_button.data(), m_sync.data()}) {
        if (b)
            QObject::connect(b, &QAbstractButton::toggled, this, [this] { UpdateIcon(); });
    }
    UpdateIcon();
    return m_button != nullptr;
}

void CDeviceOptionUI::DoTimer(int id) {
    if (m_timerHandler)
        m_timerHandler(this, id);
}

void CDeviceOptionUI::SetPowerSwitch(const CDuiString& container, int index) {
    m_powerContainer = container;
    m_powerIndex = index;
}

void CDeviceOptionUI::SetDeviceType(int type, int subType) {
    m_type = type;
    m_subType = subType;
    if (auto icons = IconsForDevice(type, subType))
        m_icons = *icons;
    UpdateIcon();
}

void CDeviceOptionUI::SetNameText(const CDuiString& key) {
    ui::SetResourceText(m_name, key);
}

void CDeviceOptionUI::UpdateIcon() {
    if (!m_button)
        return;
    const bool sync = SyncChecked();
    const bool selected = m_button->isChecked();
    const QString& file = sync ? (selected ? m_icons.synchroSelected : m_icons.synchroNormal)
                               : (selected ? m_icons.selected : m_icons.normal);
    m_button->setIcon(QIcon(CResourceManager::Instance().GetImage(file)));
}

void CDeviceOptionUI::SetItemVisible(bool visible) {
    m_visible = visible;
    ui::SetVisible(this, visible);
}

void CDeviceOptionUI::SetButtonSelected(bool selected) {
    ui::SetSelected(m_button, selected, false);
    // The group unchecks the other buttons quietly: their icons follow here.
    if (m_button && m_button->group()) {
        for (QAbstractButton* b : m_button->group()->buttons()) {
            for (QWidget* p = b->parentWidget(); p; p = p->parentWidget()) {
                if (auto* item = dynamic_cast<CDeviceOptionUI*>(p)) {
                    item->UpdateIcon();
                    break;
                }
            }
        }
    }
    UpdateIcon();
}

bool CDeviceOptionUI::ButtonSelected() const {
    return ui::IsSelected(m_button);
}

bool CDeviceOptionUI::SyncChecked() const {
    return ui::IsSelected(m_sync);
}

void CDeviceOptionUI::SetSyncChecked(bool checked) {
    if (m_sync && m_sync->isChecked() != checked)
        ui::SetSelected(m_sync, checked, false);
}

void CDeviceOptionUI::StartTimer(int id, int milliseconds) {
    ui::SetTimer(this, id, milliseconds);
}

void CDeviceOptionUI::StopTimer(int id) {
    ui::KillTimer(this, id);
}

void CDeviceOptionUI::RepaintDevicePage() {
    ui::Invalidate(m_repaint);
}

}  // namespace ravo
