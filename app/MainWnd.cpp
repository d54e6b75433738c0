#include "app/MainWnd.h"

#include "app/DeviceOptionUI.h"
#include "app/DeviceReport.h"
#include "app/DpiLayout.h"
#include "app/MainControlFactory.h"
#include "app/MainMessages.h"
#include "app/MessageBus.h"
#include "app/MpDevicePowerUI.h"
#include "app/NotifyRoutes.h"
#include "app/RegisteredMessages.h"
#include "app/SleepWatcher.h"
#include "app/StartupLog.h"
#include "app/TrayMenuPlacement.h"
#include "app/toolkit/ControlOps.h"
#include "app/toolkit/LayoutLoader.h"
#include "app/toolkit/MenuUI.h"
#include "app/toolkit/ResourceManager.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceWatcher.h"
#include "device/QtDeviceWatcherSink.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QLoggingCategory>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

#include <atomic>

namespace ravo {

Q_LOGGING_CATEGORY(lcMainWnd, "ravo.mainwnd", QtWarningMsg)

namespace {

std::atomic<bool> g_awake{true};

constexpr const char* kTitleButtons[9] = {"closebtn", "maxbtn",       "restorebtn",
                                          "minbtn",   "skinbtn",      "gamemodebtn",
                                          "cloudbtn", "smarteyesbtn", "setbtn"};

// The device watcher in its worker slot.
class WatcherWorker : public Worker {
public:
    WatcherWorker(DeviceSlotList& slotList, QObject* window, QtDeviceWatcherSink::Handlers handlers)
        : m_stop(std::make_shared<CancelSignal>()),
          m_sink(window, std::move(handlers), m_stop),
          m_watcher(slotList, m_sink, m_stop) {}
    bool Start() { return m_watcher.Start(); }
    std::string Name() const override { return "device watcher"; }
    void RequestStop() override { m_watcher.RequestStop(); }
    bool WaitStopped(std::chrono::milliseconds limit) override {
        return m_watcher.WaitStopped(limit);
    }

private:
    std::shared_ptr<CancelSignal> m_stop;
    QtDeviceWatcherSink m_sink;
    DeviceWatcher m_watcher;
};

}  // namespace

CMainWnd::CMainWnd(QWidget* parent)
    : CWindowUI(parent),
      m_router(MainNotifyRoutes()),
      m_light(
          {[this](int on) {
               if (m_bus)
                   m_bus->BroadcastMessage(msgname::kLightControlNotify, 1, on);
           },
           [this](const QString& text) { ui::SetText(FindControl("control_light_status"), text); },
           [this](int status) {
               for (auto& d : m_deviceObjects)
                   d->SetLightingControl(status);
           }}),
      m_game([this]() -> GameLightingDevice* { return CurrentDevice(); },
             [this](int id, int ms) { SetTimer(id, ms); }) {
    // Caption, system menu, minimise and close; no maximise, like a fixed-size tool window.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_devices = std::make_unique<DeviceList>(m_slots.Slots(), static_cast<DeviceListView&>(*this));
    BindRoutes();
}

CMainWnd::~CMainWnd() {
    Shutdown();
}

QIcon CMainWnd::ApplicationIcon() {
    const QString path = CResourceManager::Instance().ResolvePath("ICON_APP");
    return path.isEmpty() ? QIcon() : QIcon(path);
}

bool CMainWnd::IsAwake() {
    return g_awake.load();
}

QWidget* CMainWnd::CreateControl(const CDuiString& className, QWidget* parent) {
    return CreateMainControl(
        className, parent, [this](const CDuiString& c, QWidget* p) { return CreateControl(c, p); });
}

void CMainWnd::InitWindow() {
    qCDebug(lcMainWnd) << "InitWindow";
    // The first texts come from the Chinese table; the stored language follows at start.
    QString error;
    if (!CResourceManager::Instance().LoadLanguage("lan_cn.xml", &error))
        qCWarning(lcStartup) << "language file:" << error;
    for (int i = 0; i < 9; ++i)
        m_titleButtons[i] = FindControl(kTitleButtons[i]);
    setWindowIcon(ApplicationIcon());
    m_tray.Create(ApplicationIcon(), kProductTitle,
                  [this](int event) { HandleCustomMessage(kUmTrayNotify, 0, event); });
}

// Which actions this window carries out itself; the rest are bound by their owners.
void CMainWnd::BindRoutes() {
    using A = NotifyAction;
    m_router.Bind(A::WindowInit, [this](const RoutedNotify&) { OnWindowInit(); });
    m_router.Bind(A::WindowSize, [this](const RoutedNotify&) {
        if (m_layoutPending) {
            m_layoutPending = false;
            ApplyDpiLayout();
        }
    });
    m_router.Bind(A::HideToTray, [this](const RoutedNotify&) { HideToTray(); });
    m_router.Bind(A::HideMainWindow, [this](const RoutedNotify&) { hide(); });
    m_router.Bind(A::ToggleLightControl, [this](const RoutedNotify&) { m_light.Toggle(); });
    m_router.Bind(A::Minimize, [this](const RoutedNotify&) { showMinimized(); });
    m_router.Bind(A::Maximize, [this](const RoutedNotify&) { showMaximized(); });
    m_router.Bind(A::Restore, [this](const RoutedNotify&) { showNormal(); });
    m_router.Bind(A::ExitProgram, [this](const RoutedNotify&) { ExitProgram(); });
    m_router.Bind(A::DeviceSelectChanged,
                  [this](const RoutedNotify&) { m_devices->OnSelectionChanged(); });
    m_router.Bind(A::DeviceSelectPrev,
                  [this](const RoutedNotify&) { m_devices->SelectPrevious(); });
    m_router.Bind(A::DeviceSelectNext, [this](const RoutedNotify&) { m_devices->SelectNext(); });
    m_router.Bind(A::ProfileComboSelected,
                  [this](const RoutedNotify&) { SetTimer(kTimerProfileSwitch, 400); });
    m_router.Bind(A::InstallInputHook,
                  [this](const RoutedNotify&) { HandleCustomMessage(kUmInputHook, 1, 0); });
    m_router.Bind(A::RemoveInputHook,
                  [this](const RoutedNotify&) { HandleCustomMessage(kUmInputHook, 0, 0); });
    m_router.Bind(A::FunctionPage, [this](const RoutedNotify& n) {
        if (MainDevice* device = CurrentDevice())
            device->SetFunctionPage(n.arg1);
    });
    m_router.Bind(A::OpenSystemSettings, [](const RoutedNotify& n) {
        // The desktop's own keyboard (0) or mouse (1) settings, when one is found.
        const char* panel = n.number == 0 ? "keyboard" : "mouse";
        if (!QStandardPaths::findExecutable("gnome-control-center").isEmpty())
            QProcess::startDetached("gnome-control-center", {panel});
        else if (!QStandardPaths::findExecutable("systemsettings").isEmpty())
            QProcess::startDetached("systemsettings",
                                    {n.number == 0 ? "kcm_keyboard" : "kcm_mouse"});
    });
}

void CMainWnd::Notify(TNotifyUI& msg) {
    m_router.Route(msg.sType.GetData(), msg.SenderName().GetData(), msg.pSender);
}

void CMainWnd::OnMenuCommand(const CDuiString& item) {
    HandleCustomMessage(kUmMenuClick, 0, 0);  // the awake check of a menu click
    if (!IsAwake())
        return;
    m_router.Route(QString::fromLatin1(kMenuCommandType.data(),
                                       static_cast<qsizetype>(kMenuCommandType.size())),
                   item.GetData());
}

void CMainWnd::OnWindowInit() {
    if (m_windowInitDone)
        return;
    m_windowInitDone = true;
    qCInfo(lcStartup) << "main window ready";
    // 1: other programs reach this window over the session bus without a filter to open.
    // 2: tell them that this program drives the lights.
    if (m_bus)
        m_bus->BroadcastMessage(msgname::kLightControlNotify, 1, 1);
    // 3: the stored language is applied by the settings (a later step of the program).
    BuildFontTable(font().family());
    // 4: the slot list is the table's copy (m_slots); the mouse's and keyboard's pages.
    m_devices->CreateInitialEntries();
    RefreshNoDevicePanel();
    // 5: hidden until the first scan is done.
    hide();
    // 6: the watcher in slot 0; slot 8 is the synchronised lighting's.
    StartWatcher();
    m_sleep = std::make_unique<CSleepWatcher>([this](bool suspending) {
        HandleCustomMessage(kWmPowerBroadcast, suspending ? kPowerSuspend : kPowerResumeAutomatic,
                            0);
    });
    m_sleep->Start();
    // 7
    SetTimer(kTimerDpiLayout, 100);
    m_layoutPending = true;
    // 8: the music lighting groups come with the music window.
}

void CMainWnd::StartWatcher() {
    QtDeviceWatcherSink::Handlers handlers;
    QPointer<CMainWnd> self(this);
    handlers.arrived = [self](int slot) {
        if (self)
            self->HandleCustomMessage(kUmDeviceArrived, static_cast<quintptr>(slot), 0);
    };
    handlers.removed = [self](int slot) {
        if (self)
            self->HandleCustomMessage(kUmDeviceRemoved, static_cast<quintptr>(slot), 0);
    };
    handlers.firstScanDone = [self] {
        if (self)
            self->HandleCustomMessage(Messages().InstanceMessage, 0, 0);
    };
    auto worker = std::make_unique<WatcherWorker>(m_slots, this, std::move(handlers));
    if (worker->Start())
        m_workers.Start(WorkerSlots::kWatcherSlot, std::move(worker));
}

bool CMainWnd::HandleCustomMessage(unsigned message, quintptr wParam, qintptr lParam) {
    const ProgramMessages& names = Messages();
    if (message != 0 && message == names.InstanceMessage) {
        qCInfo(lcStartup) << "activation message" << wParam << lParam << ": coming to the front";
        ShowFromTray();
        return true;
    }
    if (message != 0 && message == names.SettingsRelayMessage)
        return true;  // relayed to the settings window while it is open
    if (message != 0 && message == names.LightControlSetMessage) {
        m_light.OnSetMessage(wParam, lParam);
        return true;
    }
    if (message != 0 && message == names.DeviceReportMessage) {
        SendDeviceReport();
        return true;
    }
    if (message == kWmPowerBroadcast) {
        if (wParam == kPowerResumeAutomatic) {
            g_awake = true;
            m_light.OnResume();
        } else if (wParam == kPowerSuspend) {
            g_awake = false;
            m_light.OnSuspend();
        }
        return true;
    }
    if (!IsAwake())
        return false;

    const QString name = CRegisteredMessages::Instance().NameOf(message);
    if (name == QLatin1String("Game_Start") || name == QLatin1String("Game_End") ||
        name == QLatin1String("Game_Kill") || name == QLatin1String("Game_Death")) {
        m_game.OnGameEvent(wParam, lParam);
        return true;
    }
    switch (message) {
        case kUmTrayNotify:
            if (lParam == CTrayIcon::kLeftButtonUp) {
                TrayToggle();
            } else if (lParam == CTrayIcon::kRightButtonUp) {
                SetTimer(kTimerTrayMenu, 10);
            }
            return true;
        case kUmInputHook:  // the input hook arrives with the key capture
        case kUmMenuClick:
        case kUmLanguageChanged:
        case kUmOpenSettings:
            return true;
        case kUmShowSettingProgress:
            ui::SetVisible(FindControl("setting_progress"), true);
            return true;
        case kUmDeviceArrived:
            m_devices->OnSlotArrived(static_cast<int>(wParam));
            return true;
        case kUmDeviceRemoved:
            m_devices->OnSlotRemoved(static_cast<int>(wParam));
            return true;
        case kUmClearSettingsBadge:
            ui::SetAttribute(m_titleButtons[8], "foreimage", "");
            return true;
        case kUmLinkMode:
            m_devices->OnLinkMode(static_cast<int>(wParam), lParam != 0);
            return true;
        default:
            return false;
    }
}

void CMainWnd::OnTimer(int id) {
    KillTimer(id);
    if (!IsAwake())
        return;
    switch (id) {
        case kTimerDpiLayout:
            ApplyDpiLayout();
            update();
            break;
        case kTimerTrayMenu:
            OpenTrayMenu();
            break;
        case kTimerProfileSwitch:
            break;  // the profile switch comes with the profile panel
        case kTimerGameRestore:
            m_game.OnRestoreTimer();
            break;
        default:
            break;
    }
}

MainDevice* CMainWnd::DeviceForItem(int index) const {
    ListedDevice* listed = m_devices->DeviceAt(index);
    for (const auto& d : m_deviceObjects) {
        if (d.get() == listed)
            return d.get();
    }
    return nullptr;
}

MainDevice* CMainWnd::CurrentDevice() const {
    return DeviceForItem(m_devices->CurrentDevice() ? m_devices->CurrentIndex() : -1);
}

void CMainWnd::TellDevicesWindowShown(bool shown) {
    for (auto& d : m_deviceObjects)
        d->SetWindowActive(shown ? 1 : 0);
}

void CMainWnd::RefreshNoDevicePanel() {
    SetNoDevicePanelVisible(m_devices->FindFirstVisible().count == 0);
}

void CMainWnd::CloseChildWindows() {
    // The settings, about, colour picker and music windows close with the main window.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->isWindow() && w->parentWidget() == this && w->isVisible() &&
            qobject_cast<QDialog*>(w))
            w->close();
    }
}

void CMainWnd::BringToFront() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_everShown = true;
}

void CMainWnd::ShowFromTray() {
    RefreshNoDevicePanel();
    TellDevicesWindowShown(true);
    BringToFront();
}

void CMainWnd::HideToTray() {
    CloseChildWindows();
    if (CTrayIcon::IsAvailable()) {
        hide();
    } else {
        // Without a notification area a hidden window could never come back.
        showMinimized();
    }
    TellDevicesWindowShown(false);
}

void CMainWnd::TrayToggle() {
    RefreshNoDevicePanel();
    const bool wasVisible = isVisible() && !isMinimized();
    CloseChildWindows();
    if (wasVisible) {
        hide();
        TellDevicesWindowShown(false);
        return;
    }
    ApplyDpiLayout();
    BringToFront();
    update();
    TellDevicesWindowShown(true);
    ui::NeedUpdate(GetRoot());
}

void CMainWnd::ApplyDpiLayout() {
    const bool visible = isVisible() && !isMinimized();
    QScreen* s = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (s == nullptr)
        return;
    const QRect monitor = s->geometry();
    m_layoutDpi = ChooseLayoutDpi(monitor.width(), monitor.height());
    // Qt already scales for the screen; the window's own size follows the chosen DPI.
    CWindowUI::Dpi().SetDPI(m_layoutDpi);
    const QSize size = CWindowUI::Dpi().Scale(QSize(kMainWindowWidth, kMainWindowHeight));
    resize(size.boundedTo(monitor.size()));
    CenterWindow();
    if (visible)
        show();
    else
        hide();
}

void CMainWnd::BuildFontTable(const QString& face) {
    m_fonts.clear();
    for (const FontSpec& spec : MainFontTable()) {
        QFont f(face);
        f.setPixelSize(spec.size);
        f.setBold(spec.bold);
        f.setUnderline(spec.underline);
        f.setItalic(false);
        m_fonts[spec.id] = f;
    }
}

void CMainWnd::OpenTrayMenu() {
    if (m_trayMenu)
        m_trayMenu->deleteLater();
    QRect panel;
    if (QScreen* s = QGuiApplication::screenAt(QCursor::pos()))
        panel = PanelRect(s->geometry(), s->availableGeometry());
    const TrayMenuPlacement place = PlaceTrayMenu(QCursor::pos(), panel);
    QString error;
    m_trayMenu = CMenuUI::Popup(this, "menu.xml", place.point, place.align, &error);
    if (!m_trayMenu)
        qCWarning(lcMainWnd) << "tray menu:" << error;
}

void CMainWnd::ExitProgram() {
    CloseChildWindows();
    m_exiting = true;
    close();
}

void CMainWnd::closeEvent(QCloseEvent* event) {
    // Every close of the main window ends the program: stop the workers, drop the tray icon.
    qCDebug(lcMainWnd) << "退出测试";
    CloseChildWindows();
    Shutdown();
    m_tray.Delete();
    CWindowUI::closeEvent(event);
    QApplication::quit();
}

void CMainWnd::Shutdown() {
    if (m_shutDown)
        return;
    m_shutDown = true;
    hide();
    for (const std::string& late : m_workers.StopAll())
        qCWarning(lcMainWnd) << "worker ended late:" << late.c_str();
}

void CMainWnd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        m_windowActive = isActiveWindow();
        m_windowHovered = m_windowActive;
        TellDevicesWindowShown(m_windowHovered);
    }
    CWindowUI::changeEvent(event);
}

void CMainWnd::enterEvent(QEnterEvent* event) {
    if (!m_windowActive) {
        m_windowHovered = true;
        TellDevicesWindowShown(true);
    }
    CWindowUI::enterEvent(event);
}

void CMainWnd::leaveEvent(QEvent* event) {
    if (!m_windowActive) {
        m_windowHovered = false;
        TellDevicesWindowShown(false);
    }
    CWindowUI::leaveEvent(event);
}

void CMainWnd::SendDeviceReport() {
    if (!m_bus)
        return;
    std::vector<std::array<int32_t, 3>> descriptors;
    for (const DevicePageRow& row : DevicePageTable())
        descriptors.push_back({static_cast<int32_t>(row.lightCount),
                               static_cast<int32_t>(row.keyCount),
                               static_cast<int32_t>(row.hasBattery)});
    const auto block = BuildDeviceReport({2, 3, 0, 2}, descriptors);
    // Nobody owning the name: the report is skipped.
    m_bus->CopyDataTo(kReportService, kDeviceReportDataId,
                      QByteArray(reinterpret_cast<const char*>(block.data()),
                                 static_cast<qsizetype>(block.size())));
}

// --- the device list's view of the window ---

DeviceListView::Entry CMainWnd::CreateEntry(int kind, int row, int sub) {
    if (kind < 0 || kind >= static_cast<int>(DeviceKindTable().size()) || row < 0 ||
        row >= static_cast<int>(SupportTable().size()))
        return {};
    const DeviceKindRow& k = DeviceKindTable()[kind];
    const DevicePageRow& p = DevicePageTable()[kind];
    const DeviceSupportEntry& identity = SupportTable()[row];
    auto callback = [this](const CDuiString& c, QWidget* parent) {
        return CreateControl(c, parent);
    };

    auto* power = dynamic_cast<CMpDevicePowerUI*>(
        CLayoutLoader::Load("XML\\CustomControlXML\\MpDevicePower.xml", nullptr, callback));
    QWidget* page =
        CLayoutLoader::Load(QString::fromStdString(p.pageLayoutFile), nullptr, callback);
    auto* item = dynamic_cast<CDeviceOptionUI*>(
        CLayoutLoader::Load(QString::fromStdString(k.layoutFile), nullptr, callback));
    QWidget* powerSwitch = FindControl(QString::fromStdString(k.powerContainer));
    QWidget* deviceSwitch = FindControl("device_switch");
    QWidget* strip = FindControl("device_select_layout");
    // The page joins the window first: the device object finds its window while it sets up.
    std::unique_ptr<MainDevice> device;
    if (power && page && item && ui::Add(deviceSwitch, page))
        device = AdoptDeviceObject(page, DeviceSetup{kind, row, sub, this, power, item});
    if (!device) {
        qCDebug(lcMainWnd) << "device page of kind" << kind << "cannot be built";
        delete power;
        delete page;
        delete item;
        return {};
    }

    power->BindSubControls();
    ui::Add(powerSwitch, power);
    power->SetDeviceType(identity.deviceType, sub);
    power->ShowPowerPart(p.hasBattery != 0);
    m_powers.push_back(power);

    item->BindSubControls();
    ui::Add(strip, item);
    item->SetSyncChecked(false);
    ui::SetGroup(item->SelectButton(), QString::fromStdString(k.headerControl));
    item->SetPageIndex(ui::GetCount(deviceSwitch) - 1);
    item->SetPowerSwitch(QString::fromStdString(k.powerContainer), ui::GetCount(powerSwitch) - 1);
    item->SetDeviceType(identity.deviceType, sub);
    item->SetItemVisible(false);
    if (auto icons = IconsForDevice(identity.deviceType, sub))
        item->SetNameText(icons->nameText);
    item->SetDeviceObject(page);
    item->SetPageRepaintControl(device->RepaintControl());
    item->SetTimerHandler([this](CDeviceOptionUI* it, int id) { OnItemTimer(it, id); });

    m_deviceObjects.push_back(std::move(device));
    return {m_deviceObjects.back().get(), item};
}

void CMainWnd::OnItemTimer(CDeviceOptionUI* item, int id) {
    for (int i = 0; i < m_devices->ItemCount(); ++i) {
        if (m_devices->ItemAt(i) == item) {
            m_devices->OnItemTimer(i, id);
            return;
        }
    }
}

void CMainWnd::SelectDevicePage(int index) {
    ui::SelectTab(FindControl("device_switch"), index);
}

void CMainWnd::SelectPowerPage(int index) {
    QWidget* powerSwitch = FindControl("device_power_switch");
    if (index < 0) {
        ui::SetVisible(powerSwitch, false);
        return;
    }
    ui::SetVisible(powerSwitch, true);
    ui::SelectTab(powerSwitch, index);
}

void CMainWnd::SetNoDevicePanelVisible(bool visible) {
    ui::SetVisible(FindControl("No_device_Link"), visible);
    ui::SetVisible(FindControl("device_page_area"), !visible);
}

void CMainWnd::EndWorkOnLostDevice() {
    CloseChildWindows();
    // Key capture and macro recording end with the input hook (they come with the key panel).
}

void CMainWnd::Activate() {
    RefreshNoDevicePanel();
    // Before the first scan is done the window stays hidden; it shows when the scan ends.
    if (m_everShown)
        BringToFront();
}

}  // namespace ravo
