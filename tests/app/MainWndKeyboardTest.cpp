// ctest-labels: threads
// The main window with the virtual keyboard plugged and unplugged by cable and by receiver.
#include "app/DeviceOptionUI.h"
#include "app/toolkit/ControlOps.h"
#include "devices/KeyboardLighting.h"
#include "devices/LightRecord.h"
#include "devices/NorvexKeyboardDevice.h"
#include "panels/DeviceKeyButtonUI.h"
#include "profile/JsonFiles.h"
#include "tests/app/MainWndFixture.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualKeyboard.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStackedWidget>

namespace ravo {
namespace {

using virt::VirtualKeyboard;

class MainWndKeyboardTest : public test::MainWndFixture {
protected:
    void SetUp() override {
        MainWndFixture::SetUp();
        if (HasFatalFailure())
            return;
        memory = std::make_shared<virt::VirtualKeyboardMemory>();
        cableFirmware = std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Cable, memory);
        receiverFirmware =
            std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Receiver, memory);
        WaitShown();
        ASSERT_GE(window->Devices().ItemCount(), 1);
        keyboardItem = KeyboardItemIndex();
        ASSERT_GE(keyboardItem, 0);
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
    bool NoDevicePanel() const { return ui::IsVisible(Find("No_device_Link")); }
    bool WaitFor(const std::function<bool()>& condition, int ms = 5000) {
        return QTest::qWaitFor(condition, ms);
    }

    // The attach timer has run OnAttached: the profile's key list is loaded.
    void WaitForFirstContact(CNorvexKeyboardDevice* keyboard) {
        ASSERT_TRUE(WaitFor([&] { return !keyboard->GetAssignments().empty(); }));
    }

    // Mode 6 (one colour on every key) at full brightness, as the lighting panel commits it.
    void UseStaticColour(uint8_t red, uint8_t green, uint8_t blue) {
        MainDevice* device = window->CurrentDevice();
        GameLightingDevice::Settings settings = device->GetLightSettings();
        settings[light_settings::kMode] = 6;
        settings[light_settings::kBrightness] = 4;
        settings[light_settings::kMultiColour] = 0;
        settings[light_settings::kRed] = red;
        settings[light_settings::kGreen] = green;
        settings[light_settings::kBlue] = blue;
        device->SetLightSettings(settings);
        device->PushLighting();
    }

    std::shared_ptr<virt::VirtualDevice> PlugCable() {
        return bus->Plug(virt::KeyboardCableInterfaces(), cableFirmware);
    }
    std::shared_ptr<virt::VirtualDevice> PlugReceiver() {
        return bus->Plug(virt::KeyboardReceiverInterfaces(), receiverFirmware);
    }

    std::shared_ptr<virt::VirtualKeyboardMemory> memory;
    std::shared_ptr<VirtualKeyboard> cableFirmware;
    std::shared_ptr<VirtualKeyboard> receiverFirmware;
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

    // The light thread paints the chosen colour; the frame timer sends it to the keyboard and
    // onto the key buttons.
    CNorvexKeyboardDevice* keyboard = Keyboard();
    ASSERT_NE(keyboard, nullptr);
    ASSERT_TRUE(WaitFor([&] { return keyboard->Link().IsOpen(); }));
    WaitForFirstContact(keyboard);
    UseStaticColour(0x11, 0x22, 0x33);
    CDeviceKeyButtonUI* esc = keyboard->KeyButton(0);
    ASSERT_NE(esc, nullptr);
    const quint32 packed = 0x11u | 0x33u << 8 | 0x22u << 16;
    EXPECT_TRUE(WaitFor([&] { return esc->LightColour() == packed; }))
        << std::hex << esc->LightColour();
    const LightEntry shown = keyboard->GetLight(0);
    const size_t led = static_cast<size_t>(keyboard->LedMap().at(0));
    EXPECT_TRUE(WaitFor([&] {
        const auto frame = memory->Snapshot().liveFrame;
        return frame[3 * led] == (0x11 * shown.brightness) >> 8 &&
               frame[3 * led + 1] == (0x22 * shown.brightness) >> 8 &&
               frame[3 * led + 2] == (0x33 * shown.brightness) >> 8 && frame[3 * led] != 0;
    }));

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

TEST_F(MainWndKeyboardTest, KeyboardAnnouncementsResyncTheDevice) {
    auto cable = PlugCable();
    ASSERT_TRUE(WaitFor([&] { return Item()->ItemVisible(); }));
    CNorvexKeyboardDevice* keyboard = Keyboard();
    ASSERT_NE(keyboard, nullptr);
    WaitForFirstContact(keyboard);
    const effects::SoftwareLighting& lighting = keyboard->Lighting().Effects();
    ASSERT_EQ(lighting.SequenceLength(), 0u);

    // A user light file appears for every mode: a three-step sequence.
    const QFileInfo config(keyboard->ProfileData().GetLightListPath());
    Json::Value list;
    for (Json::ArrayIndex mode = 0; mode < 32; ++mode) {
        list["LightInfo"][0][mode]["Guid"] = "sequence";
    }
    ASSERT_TRUE(WriteJsonFile(list, config.filePath()));
    Json::Value steps;
    for (Json::ArrayIndex n = 0; n < 3; ++n) {
        steps["LEDEffectList"][n]["LEDREGMode"] = 6;
        steps["LEDEffectList"][n]["Time"] = 500;
    }
    ASSERT_TRUE(WriteJsonFile(steps, config.absolutePath() + "/sequence.light"));

    auto red = [](uint8_t value) {
        return [value](virt::VirtualKeyboardState& s) {
            s.Record(s.ActiveRecord())[light_record::kRed] = value;
        };
    };
    // 0x401: a setting changed on the keyboard; its lighting is read again, the lists not.
    ASSERT_TRUE(cableFirmware->ChangeOnKeyboard(red(0x5A)));
    ASSERT_TRUE(WaitFor([&] { return keyboard->LightRecordBlock()[light_record::kRed] == 0x5A; }));
    EXPECT_EQ(lighting.SequenceLength(), 0u);

    // 0x402: the keyboard's profiles changed; the profile and its lists are loaded again too.
    memory->Edit(red(0x6B));
    ASSERT_TRUE(cableFirmware->Announce(0x402));
    ASSERT_TRUE(WaitFor([&] { return keyboard->LightRecordBlock()[light_record::kRed] == 0x6B; }));
    EXPECT_TRUE(WaitFor([&] { return lighting.SequenceLength() == 3u; }));
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
