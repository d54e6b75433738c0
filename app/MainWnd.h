#pragma once

#include "app/DeviceList.h"
#include "app/GameLighting.h"
#include "app/LightControlStatus.h"
#include "app/MainDevice.h"
#include "app/NotifyRouter.h"
#include "app/WorkerSlots.h"
#include "app/toolkit/TrayIcon.h"
#include "app/toolkit/WindowUI.h"
#include "device/DeviceSlotList.h"

#include <QFont>
#include <QIcon>
#include <QPointer>

#include <map>
#include <memory>
#include <vector>

class QMenu;

namespace ravo {

class CMessageBus;
class CSleepWatcher;

// The program's one top-level window, built from "XML_MAIN". Notifications of its controls are
// routed by the tables of NotifyRoutes.cpp; messages from other programs, from worker threads
// and from the device list arrive in HandleCustomMessage; its own timers in OnTimer. It owns
// the device list, the device objects' pages, the worker threads and the tray icon: closing
// hides it to the tray, only the tray menu's "exit" ends the program.
class CMainWnd : public CWindowUI, private DeviceListView {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;
    // The cooperating program that may ask for the device report, by the bus name it owns.
    static constexpr const char* kReportService = "org.zozezidu.ZozeZidu";

    explicit CMainWnd(QWidget* parent = nullptr);
    ~CMainWnd() override;

    CDuiString GetWindowClassName() const override { return "MainWnd"; }
    CDuiString GetSkinFile() const override { return "XML_MAIN"; }
    QWidget* CreateControl(const CDuiString& className, QWidget* parent) override;
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    bool HandleCustomMessage(unsigned message, quintptr wParam, qintptr lParam) override;
    void OnTimer(int id) override;
    void OnMenuCommand(const CDuiString& item) override;

    // Where broadcasts and copy-data blocks to other programs go (may stay unset).
    void SetMessageBus(CMessageBus* bus) { m_bus = bus; }

    // Restores the window and brings it to the front (a second start, or the first scan).
    virtual void ShowFromTray();
    void HideToTray();
    void TrayToggle();
    void ApplyDpiLayout();
    void BuildFontTable(const QString& face);
    // Stops every worker thread within its limit; runs once.
    void Shutdown();

    // The application icon (resource "ICON_APP" of the skin).
    static QIcon ApplicationIcon();
    // Process-wide: 0 between a suspend and the following resume.
    static bool IsAwake();

    NotifyRouter& Router() { return m_router; }
    DeviceList& Devices() { return *m_devices; }
    DeviceSlotList& Slots() { return m_slots; }
    WorkerSlots& Workers() { return m_workers; }
    int LightControlStatusValue() const { return m_light.Status(); }
    int Dpi() const { return m_layoutDpi; }
    const std::map<int, QFont>& Fonts() const { return m_fonts; }
    // The device object of the page shown, or null.
    MainDevice* CurrentDevice() const;
    // Whether the window was shown by the activation message at least once.
    bool WasShown() const { return m_everShown; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // DeviceListView
    Entry CreateEntry(int kind, int row, int sub) override;
    void SelectDevicePage(int index) override;
    void SelectPowerPage(int index) override;
    void SetNoDevicePanelVisible(bool visible) override;
    void EndWorkOnLostDevice() override;
    void Activate() override;

    void BindRoutes();
    void OnWindowInit();
    void StartWatcher();
    void OpenTrayMenu();
    void ExitProgram();
    void CloseChildWindows();
    void RefreshNoDevicePanel();
    void TellDevicesWindowShown(bool shown);
    void SendDeviceReport();
    void OnItemTimer(CDeviceOptionUI* item, int id);
    MainDevice* DeviceForItem(int index) const;
    void BringToFront();

    NotifyRouter m_router;
    DeviceSlotList m_slots;
    std::unique_ptr<DeviceList> m_devices;
    std::vector<std::unique_ptr<MainDevice>> m_deviceObjects;  // in selector order
    std::vector<QPointer<CMpDevicePowerUI>> m_powers;
    WorkerSlots m_workers;
    LightControlStatus m_light;
    GameLighting m_game;
    CTrayIcon m_tray;
    QPointer<QMenu> m_trayMenu;
    CMessageBus* m_bus = nullptr;
    std::unique_ptr<CSleepWatcher> m_sleep;
    std::map<int, QFont> m_fonts;
    QPointer<QWidget> m_titleButtons[9];
    int m_layoutDpi = 96;
    bool m_layoutPending = false;
    bool m_windowActive = true;
    bool m_windowHovered = true;
    bool m_everShown = false;
    bool m_shutDown = false;
    bool m_exiting = false;
    bool m_windowInitDone = false;
};

}  // namespace ravo
