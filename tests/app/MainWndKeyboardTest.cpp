// ctest-labels: threads
// The main window with the virtual keyboard plugged and unplugged by cable and by receiver.
#include "app/ControlClasses.h"
#include "app/DeviceOptionUI.h"
#include "app/MainMessages.h"
#include "app/MainWnd.h"
#include "app/RegisteredMessages.h"
#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/ControlOps.h"
#include "app/toolkit/ResourceManager.h"
#include "device/HidBus.h"
#include "devices/NorvexKeyboardDevice.h"
#include "panels/DeviceKeyButtonUI.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualHidBus.h"
#include "virtualbus/VirtualKeyboard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravo {
namespace {

using virt::VirtualKeyboard;

class MainWndKeyboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CResourceManager& resources = CResourceManager::Instance();
        resources.SetResourcePath(QCoreApplication::applicationDirPath() + "/skin/");
        ASSERT_TRUE(resources.LoadResource("res.xml"));
        RegisterControlClasses(CControlFactory::Instance());
        RegisterProgramMessages();
    }

    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
        memory = std::make_shared<virt::VirtualKeyboardMemory>();
        cableFirmware = std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Cable, memory);
        receiverFirmware =
            std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Receiver, memory);
        window = std::make_unique<CMainWnd>();
        window->HandleCustomMessage(kWmPowerBroadcast, kPowerResumeAutomatic, 0);
        QString error;
        ASSERT_TRUE(window->Create(nullptr, kProductTitle, 0, 0, CMainWnd::kWidth,
                                   CMainWnd::kHeight, &error))
            << error.toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->WasShown(); }, 5000));
        ASSERT_GE(window->Devices().ItemCount(), 1);
        keyboardItem = KeyboardItemIndex();
        ASSERT_GE(keyboardItem, 0);
    }

    void TearDown() override {
        window.reset();
        HidBus::Instance().SetBackends({});
    }

    int KeyboardItemIndex() const {
        for (int i = 0; i < window->Devices().ItemCount(); ++i) {
            if (window->Devices().ItemAt(i)->DeviceType() == 1)
                return i;
        }
        return -1;
    }
    SelectorItem* Item() const { return window->Devices().ItemAt(keyboardItem); }
    CNorvexKeyboardDevice* Keyboard() const {
        auto* item = dynamic_cast<CDeviceOptionUI*>(Item());
        return item ? dynamic_cast<CNorvexKeyboardDevice*>(item->DeviceObject()) : nullptr;
    }
    QWidget* Find(const char* name) const { return window->FindControl(name); }
    bool NoDevicePanel() const { return ui::IsVisible(Find("No_device_Link")); }
    bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
        return QTest::qWaitFor(condition, ms);
    }

    std::shared_ptr<virt::VirtualDevice> PlugCable() {
        return bus->Plug(virt::KeyboardCableInterfaces(), cableFirmware);
    }
    std::shared_ptr<virt::VirtualDevice> PlugReceiver() {
        return bus->Plug(virt::KeyboardReceiverInterfaces(), receiverFirmware);
    }

    std::shared_ptr<virt::VirtualHidBus> bus;
    std::shared_ptr<virt::VirtualKeyboardMemory> memory;
    std::shared_ptr<VirtualKeyboard> cableFirmware;
    std::shared_ptr<VirtualKeyboard> receiverFirmware;
    std::unique_ptr<CMainWnd> window;
    int keyboardItem = -1;
};

TEST_F(MainWndKeyboardTest, WiredKeyboardShowsItsPageWithTheLiveFrameAndLeaves) {
    EXPECT_TRUE(NoDevicePanel());
    auto cable = PlugCable();
    ASSERT_TRUE(WaitFor([&] { return Item()->ItemVisible(); }));
    EXPECT_TRUE(Item()->ButtonSelected());
    EXPECT_FALSE(NoDevicePanel());
    auto* pages = qobject_cast<QStackedWidget*>(Find("device_switch"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget(), Keyboard());
    EXPECT_EQ(window->CurrentDevice()->Page(), Keyboard());

    // The frame timer paints the light buffer onto the key buttons.
    CNorvexKeyboardDevice* keyboard = Keyboard();
    ASSERT_NE(keyboard, nullptr);
    ASSERT_TRUE(WaitFor([&] { return keyboard->Link().IsOpen(); }));
    keyboard->SetLight(0, LightEntry{0x11, 0x22, 0x33, 255});
    CDeviceKeyButtonUI* esc = keyboard->KeyButton(0);
    ASSERT_NE(esc, nullptr);
    const quint32 packed = 0x11u | 0x33u << 8 | 0x22u << 16;
    EXPECT_TRUE(WaitFor([&] { return esc->LightColour() == packed; }))
        << std::hex << esc->LightColour();

    bus->Unplug(cable);
    ASSERT_TRUE(WaitFor([&] { return !Item()->ItemVisible(); }));
    EXPECT_TRUE(NoDevicePanel());
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(keyboard->Link().IsOpen());
    EXPECT_EQ(window->CurrentDevice(), nullptr);
}

TEST_F(MainWndKeyboardTest, KeyboardMovesBetweenCableAndReceiver) {
    auto cable = PlugCable();
    ASSERT_TRUE(WaitFor([&] { return Item()->ItemVisible(); }));
    CNorvexKeyboardDevice* keyboard = Keyboard();
    ASSERT_NE(keyboard, nullptr);

    auto receiver = PlugReceiver();  // changes nothing visible
    QTest::qWait(400);
    EXPECT_TRUE(Item()->ItemVisible());
    EXPECT_FALSE(keyboard->Link().IsReceiverMode());

    bus->Unplug(cable);  // the keyboard goes on through the receiver
    ASSERT_TRUE(WaitFor([&] { return keyboard->Link().IsReceiverMode(); }));
    EXPECT_TRUE(keyboard->Link().IsOpen());
    EXPECT_TRUE(Item()->ItemVisible());
    EXPECT_FALSE(NoDevicePanel());

    cable = PlugCable();  // and back to the cable
    ASSERT_TRUE(WaitFor([&] { return !keyboard->Link().IsReceiverMode(); }));
    EXPECT_TRUE(keyboard->Link().IsOpen());
    EXPECT_TRUE(Item()->ItemVisible());
}

TEST_F(MainWndKeyboardTest, ReceiverHidesTheKeyboardWhileItIsOffLine) {
    auto receiver = PlugReceiver();
    ASSERT_TRUE(WaitFor([&] { return Item()->ItemVisible(); }));
    EXPECT_TRUE(Keyboard()->Link().IsReceiverMode());

    receiverFirmware->SetOnline(false);
    ASSERT_TRUE(WaitFor([&] { return !Item()->ItemVisible(); }, 8000));
    EXPECT_TRUE(NoDevicePanel());
    EXPECT_TRUE(Keyboard()->Link().IsOpen());  // still polled

    receiverFirmware->SetOnline(true);
    ASSERT_TRUE(WaitFor([&] { return Item()->ItemVisible(); }, 8000));
    EXPECT_TRUE(Item()->ButtonSelected());
    EXPECT_FALSE(NoDevicePanel());
}

TEST_F(MainWndKeyboardTest, GameEventLightingRestoresTheStoredModeAfterFiveSeconds) {
    auto cable = PlugCable();
    ASSERT_TRUE(WaitFor([&] { return window->CurrentDevice() != nullptr; }));
    QTest::qWait(1500);  // first contact: the keyboard's own settings have been read
    MainDevice* device = window->CurrentDevice();
    GameLightingDevice::Settings settings = device->GetLightSettings();
    settings[0] = 4;
    settings[13] = 4;
    device->SetLightSettings(settings);

    const unsigned gameStart = CRegisteredMessages::Instance().Find("Game_Start");
    ASSERT_NE(gameStart, 0u);
    QElapsedTimer timer;
    timer.start();
    window->HandleCustomMessage(gameStart, 0, 7);
    EXPECT_EQ(device->GetLightSettings()[0], 7);
    EXPECT_EQ(device->GetLightSettings()[13], 4);
    ASSERT_TRUE(WaitFor([&] { return device->GetLightSettings()[0] == 4; }, 8000))
        << int(device->GetLightSettings()[0]) << " " << int(device->GetLightSettings()[13]);
    EXPECT_GE(timer.elapsed(), 4900);
}

}  // namespace
}  // namespace ravo
