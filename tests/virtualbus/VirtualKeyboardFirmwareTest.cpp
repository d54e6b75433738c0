// ctest-labels: asan
// The named virtual keyboards: one keyboard behind both names, kept in its state file.
#include "device/CommandLink.h"
#include "device/HidBus.h"
#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualDeviceRegistry.h"
#include "virtualbus/VirtualKeyboardFirmware.h"

#include "tests/support/TempXdgDirs.h"

#include <QFile>

#include <gtest/gtest.h>

#include <array>

namespace ravo::virt {
namespace {

// Opens a command link on the command interface of a plugged device.
bool OpenLink(CommandLink& link, const VirtualDevice& device, bool receiver) {
    std::lock_guard<std::recursive_mutex> io(link.IoLock());
    HidDevice& hid = receiver ? link.ReceiverLink() : link.CableLink();
    if (!hid.Open(device.Path(kKeyboardCommandInterface), true, true, true, false))
        return false;
    link.SetLinkMode(receiver ? CommandLink::kModeReceiver : CommandLink::kModeCable);
    link.SetOpen(true);
    return true;
}

TEST(VirtualKeyboardFirmwareTest, BothNamesAreOneKeyboardKeptInItsStateFile) {
    test::TempXdgDirs xdg;  // before the first use of the built-in memory
    auto bus = VirtualHidBus::Create();
    HidBus::Instance().SetBackends({bus});
    std::string error;
    auto cable = PlugNamedVirtualDevice(*bus, "keyboard", &error);
    auto receiver = PlugNamedVirtualDevice(*bus, "keyboard-receiver", &error);
    ASSERT_TRUE(cable && receiver) << error;
    EXPECT_EQ(BuiltInVirtualFirmware("mouse"), nullptr);

    {
        CommandLink byCable;
        CommandLink byReceiver;
        ASSERT_TRUE(OpenLink(byCable, *cable, false));
        ASSERT_TRUE(OpenLink(byReceiver, *receiver, true));

        std::array<uint8_t, 26> record{};
        uint8_t number = 0;
        ASSERT_EQ(keyboard::ReadLightRecord(byCable, record, &number), 1);
        record[1] = 0x0C;
        ASSERT_EQ(keyboard::WriteLightRecord(byCable, record, 0), 1);
        std::array<uint8_t, 26> seen{};
        ASSERT_EQ(keyboard::ReadLightRecord(byReceiver, seen, &number), 1);
        EXPECT_EQ(seen[1], 0x0C);
    }
    HidBus::Instance().SetBackends({});

    const QString path = xdg.stateHome() + "/RAVO TKL RGB/virtual-keyboard.json";
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(VirtualKeyboardMemory::FromStateFile(path)->Snapshot().lightMemory[1], 0x0C);
}

}  // namespace
}  // namespace ravo::virt
