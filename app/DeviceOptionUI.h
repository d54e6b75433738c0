#pragma once

#include "app/DeviceIcons.h"
#include "app/SelectorItem.h"
#include "app/toolkit/ControlUI.h"

#include <QAbstractButton>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace ravo {

// One device in the selector strip ("DeviceOption", built from
// "XML\\CustomControlXML\\DeviceOption.xml"): its icon button, name and synchronisation box.
// Its timers (1000-1007) drive the device; they are handed to the device list.
class CDeviceOptionUI : public CControlT<QWidget>, public SelectorItem {
public:
    using TimerHandler = std::function<void(CDeviceOptionUI* item, int id)>;

    CDeviceOptionUI();

    CDuiString GetClass() const override { return "DeviceOption"; }
    void DoTimer(int id) override;

    // Caches "synchro_device_select", "device_select" and "device_select_name" once the
    // layout below the item is built; false when the selector button is missing.
    bool BindSubControls();
    void SetTimerHandler(TimerHandler handler) { m_timerHandler = std::move(handler); }

    void SetDeviceObject(QWidget* device) { m_device = device; }
    QWidget* DeviceObject() const { return m_device; }
    void SetPageRepaintControl(QWidget* control) { m_repaint = control; }
    void SetPageIndex(int index) { m_pageIndex = index; }
    void SetPowerSwitch(const CDuiString& container, int index);
    CDuiString PowerSwitchName() const { return m_powerContainer; }
    // Chooses the icons; a mouse pad of an unknown sub-type keeps the ones it has.
    void SetDeviceType(int type, int subType);
    void SetNameText(const CDuiString& key);
    QAbstractButton* SelectButton() const { return m_button; }
    QAbstractButton* SyncBox() const { return m_sync; }
    const DeviceIcons& Icons() const { return m_icons; }

    // SelectorItem
    void SetItemVisible(bool visible) override;
    bool ItemVisible() const override { return m_visible; }
    void SetButtonSelected(bool selected) override;
    bool ButtonSelected() const override;
    int PageIndex() const override { return m_pageIndex; }
    int PowerIndex() const override { return m_powerIndex; }
    bool SyncChecked() const override;
    void SetSyncChecked(bool checked) override;
    int DeviceType() const override { return m_type; }
    int SubType() const override { return m_subType; }
    void StartTimer(int id, int milliseconds) override;
    void StopTimer(int id) override;
    void RepaintDevicePage() override;

private:
    void UpdateIcon();

    QPointer<QWidget> m_repaint;
    QPointer<QAbstractButton> m_sync;
    QPointer<QAbstractButton> m_button;
    QPointer<QWidget> m_name;
    QPointer<QWidget> m_device;
    int m_type = 0;
    int m_subType = 0;
    DeviceIcons m_icons;
    CDuiString m_powerContainer;
    int m_powerIndex = -1;
    int m_pageIndex = -1;
    bool m_visible = true;
    TimerHandler m_timerHandler;
};

}  // namespace ravo
