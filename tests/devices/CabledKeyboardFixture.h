#pragma once

// A virtual keyboard on the virtual HID bus and the keyboard's device object linked to it by
// cable, as the device list leaves it before first contact; each test chooses the keyboard's
// state.

#include "devices/NorvexKeyboardDevice.h"

#include "device/HidBus.h"
#include "tests/support/TempXdgDirs.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualHidBus.h"
#include "virtualbus/VirtualKeyboard.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>

namespace ravo::test {

class CabledKeyboardFixture : public ::testing::Test {
protected:
    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
    }
    void TearDown() override {
        device.reset();  // stops its threads before the bus goes
        HidBus::Instance().SetBackends({});
    }

    // Plugs a keyboard with this state and makes a device object linked to it by cable.
    void Attach(const virt::VirtualKeyboardState& state = virt::VirtualKeyboardState::Defaults()) {
        memory = std::make_shared<virt::VirtualKeyboardMemory>(state);
        firmware =
            std::make_shared<virt::VirtualKeyboard>(virt::VirtualKeyboard::Link::Cable, memory);
        plugged = bus->Plug(virt::KeyboardCableInterfaces(), firmware);
        device = std::make_unique<CNorvexKeyboardDevice>();
        device->SetKeyCount(170);
        device->SetLightCount(170);
        device->SetFolderName("keyboard");
        device->SetProfileName("test_profile");
        device->SetConfigName("veldo_light");
        DeviceSlot slot;
        slot.deviceType = 1;
        slot.path = plugged->Path(virt::kKeyboardCommandInterface);
        device->SetDeviceSlot(slot);
        ASSERT_EQ(device->GetDeviceKind(), 1);
        CommandLink& link = device->Link();
        {
            std::lock_guard lock(link.IoLock());
            ASSERT_TRUE(link.CableLink().Open(plugged->Path(virt::kKeyboardCommandInterface), true,
                                              true, true, false));
        }
        link.SetLinkMode(CommandLink::kModeCable);
        link.SetOpen(true);
    }

    TempXdgDirs xdg;
    std::shared_ptr<virt::VirtualHidBus> bus;
    std::shared_ptr<virt::VirtualKeyboardMemory> memory;
    std::shared_ptr<virt::VirtualKeyboard> firmware;
    std::shared_ptr<virt::VirtualDevice> plugged;
    std::unique_ptr<CNorvexKeyboardDevice> device;
};

}  // namespace ravo::test
