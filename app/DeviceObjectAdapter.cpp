#include "app/DeviceOptionUI.h"
#include "app/MainDevice.h"
#include "app/MpDevicePowerUI.h"
#include "device/DeviceCatalogue.h"
#include "devices/NorvexUSBDevice.h"

#include <cstring>
#include <mutex>

namespace ravo {

namespace {

// A CNorvexUSBDevice as the main window and its device list use it. The identity is the
// supported-device row the object serves (its DeviceSlot copy).
class DeviceObjectAdapter : public MainDevice {
public:
    explicit DeviceObjectAdapter(CNorvexUSBDevice* device) : m_device(device) {}

    const DeviceSupportEntry& Identity() const override { return m_identity; }
    void SetIdentity(const DeviceSupportEntry& identity) override {
        m_identity = identity;
        m_device->SetDeviceKinds(identity.deviceType, identity.role);
    }

    bool LinkOpen() const override { return m_device->Link().IsOpen(); }
    bool OnReceiver() const override { return m_device->Link().IsReceiverMode(); }

    bool OpenLink(bool receiver, const std::string& path) override {
        CommandLink& link = m_device->Link();
        std::lock_guard lock(link.IoLock());
        HidDevice& hid = receiver ? link.ReceiverLink() : link.CableLink();
        if (!hid.Open(path, true, true, true, false))
            return false;
        link.SetOpen(true);
        return true;
    }

    bool SwitchLink(const std::string& path) override {
        CommandLink& link = m_device->Link();
        std::lock_guard lock(link.IoLock());
        link.SetOpen(false);
        HidDevice& hid = link.IsReceiverMode() ? link.CableLink() : link.ReceiverLink();
        hid.Close();
        if (!hid.Open(path, true, true, true, false))
            return false;
        link.SetOpen(true);
        return true;
    }

    void SetLinkMode(int mode) override { m_device->Link().SetLinkMode(mode); }

    void CloseLink(bool cableOnly) override {
        // Close breaks a transfer blocked on another thread; no lock is waited for.
        CommandLink& link = m_device->Link();
        link.SetOpen(false);
        link.CableLink().Close();
        if (!cableOnly)
            link.ReceiverLink().Close();
    }

    bool HasBattery() const override { return m_device->GetPowerFlag() != 0; }
    bool QueryOnline() override { return m_device->IsReceiverLinkOnline() != 0; }
    void ReadPowerStatus() override { m_device->PollStatus(); }

    // The device's listener threads read the event interfaces. An interface counts as taken
    // even when the device has no listener for it, so it is not offered again.
    bool EventReaderOpen(bool receiver) const override { return m_eventKind[receiver] != 0; }
    void OpenEventReader(bool receiver, int interfaceKind, const std::string& path) override {
        m_eventKind[receiver] = interfaceKind != 0 ? interfaceKind : -1;
        m_device->OpenListener(path, interfaceKind);
    }
    void CloseEventReader(bool receiver) override {
        if (m_eventKind[receiver] > 0)
            m_device->CloseListener(m_eventKind[receiver]);
        m_eventKind[receiver] = 0;
    }

    void SetLightingSyncPossible(bool possible) override {
        if (!possible)
            m_device->Link().SetLightingSync(false);
    }

    void OnAttached() override { m_device->OnAttached(); }
    bool OutputFrame() override {
        // The device repaints the key buttons it lights itself.
        m_device->OutputFrame();
        return false;
    }
    void OnResync() override { m_device->OnResync(); }
    void OnSpareTimerA() override { m_device->OnSpareTimerA(); }
    void OnSpareTimerB() override { m_device->OnSpareTimerB(); }

    // GameLightingDevice
    void ResumeLightOutput() override {}
    void SelectPanelMode(int /*mode*/) override {}
    Settings GetLightSettings() const override {
        const LightSettings s = LightSettingsFromWords(m_device->GetLightSettings());
        Settings bytes{};
        static_assert(sizeof(s) == sizeof(bytes));
        std::memcpy(bytes.data(), &s, sizeof(s));
        return bytes;
    }
    void SetLightSettings(const Settings& bytes) override {
        LightSettings s;
        std::memcpy(&s, bytes.data(), sizeof(s));
        const LightWords w = LightSettingsToWords(s);
        m_device->SetLightSettings(w.word0, w.word1, w.word2, w.word3);
    }
    void SaveProfile() override { m_device->SaveProfile(); }
    void PushLighting() override {
        m_device->ApplyProfile();
        m_device->RefreshPage();
    }

    // MainDevice
    QWidget* Page() const override { return m_device; }
    void SetLightingControl(int status) override { m_device->SetLightingControl(status); }
    void SetWindowActive(int active) override { m_device->SetWindowActive(active); }
    void SetFunctionPage(int page) override { m_device->SetFunctionPage(page); }
    QWidget* RepaintControl() const override { return m_device->GetKeyLightContainer(); }

private:
    CNorvexUSBDevice* m_device;
    DeviceSupportEntry m_identity;
    int m_eventKind[2] = {0, 0};  // 0: no event interface taken
};

}  // namespace

std::unique_ptr<MainDevice> AdoptDeviceObject(QWidget* page, const DeviceSetup& setup) {
    auto* device = dynamic_cast<CNorvexUSBDevice*>(page);
    if (!device || setup.kind < 0 || setup.kind >= static_cast<int>(DevicePageTable().size()) ||
        setup.row < 0 || setup.row >= static_cast<int>(SupportTable().size()))
        return nullptr;
    const DeviceKindRow& kind = DeviceKindTable()[setup.kind];
    const DevicePageRow& pageRow = DevicePageTable()[setup.kind];
    auto adapter = std::make_unique<DeviceObjectAdapter>(device);
    device->SetPageLayout(QString::fromStdString(pageRow.pageLayoutFile));
    device->SetMainWindow(setup.mainWindow);
    device->SetKeyCount(static_cast<int>(pageRow.keyCount));
    device->SetLightCount(static_cast<int>(pageRow.lightCount));
    device->SetTypeRow(setup.kind);
    device->SetPowerFlag(static_cast<int>(pageRow.hasBattery));
    device->SetFolderName(QString::fromStdString(kind.kindName));
    device->SetPowerDisplay(setup.power);
    DeviceSupportEntry identity = SupportTable()[setup.row];
    identity.role = static_cast<uint16_t>(setup.sub);
    adapter->SetIdentity(identity);
    device->SetLightSetIndex(kind.category);
    device->SetConfigName(QString::fromStdString(pageRow.presetBaseName));
    device->SetSelectorItem(setup.item);
    device->BuildPage();
    return adapter;
}

}  // namespace ravo
