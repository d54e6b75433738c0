// ctest-labels: asan
// What the virtual keyboard announces reaches a reader of its consumer collection as the
// event code the listeners decode.
#include "device/HidBus.h"
#include "device/HidDevice.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualKeyboard.h"

#include <gtest/gtest.h>

namespace ravo::virt {
namespace {

class VirtualKeyboardEventsTest : public ::testing::TestWithParam<VirtualKeyboard::Link> {
protected:
    void SetUp() override {
        HidBus::Instance().SetBackends({bus});
        firmware = std::make_shared<VirtualKeyboard>(GetParam());
        device =
            bus->Plug(GetParam() == VirtualKeyboard::Link::Cable ? KeyboardCableInterfaces()
                                                                 : KeyboardReceiverInterfaces(),
                      firmware);
        ASSERT_TRUE(events.Open(device->Path(kKeyboardEventInterface), true, false, true, false));
    }
    void TearDown() override {
        events.Close();
        HidBus::Instance().SetBackends({});
    }

    // The next event code, or -1 when none arrives within a second.
    int NextCode() {
        uint8_t* buffer = events.ReportBuffer(HidReportType::Input);
        uint32_t bytes = 0;
        if (!events.ReadReport(buffer, events.ReportBufferLength(HidReportType::Input), &bytes,
                               1000))
            return -1;
        if (!events.ExtractUsages(buffer, bytes, HidReportType::Input,
                                  events.Fields(HidReportType::Input),
                                  events.FieldCount(HidReportType::Input)))
            return -1;
        return events.Fields(HidReportType::Input)[0].usages[0];
    }

    std::shared_ptr<VirtualHidBus> bus = VirtualHidBus::Create();
    std::shared_ptr<VirtualKeyboard> firmware;
    std::shared_ptr<VirtualDevice> device;
    HidDevice events;
};

TEST_P(VirtualKeyboardEventsTest, AnnouncedCodesArriveInOrder) {
    ASSERT_TRUE(firmware->SwitchProfile(2));
    ASSERT_TRUE(firmware->Announce(0x1123));
    ASSERT_TRUE(firmware->Announce(VirtualKeyboard::kCodeProfilesChanged));
    ASSERT_TRUE(firmware->ChangeOnKeyboard([](VirtualKeyboardState& s) { s.Record(2)[2] = 1; }));
    EXPECT_EQ(NextCode(), 0x1002);
    EXPECT_EQ(NextCode(), 0x1123);
    EXPECT_EQ(NextCode(), 0x402);
    EXPECT_EQ(NextCode(), 0x401);
    EXPECT_EQ(firmware->Memory().Snapshot().ActiveRecord(), 2);
    EXPECT_EQ(firmware->Memory().Snapshot().Record(2)[2], 1);
}

TEST_P(VirtualKeyboardEventsTest, UnpluggedKeyboardAnnouncesNothing) {
    bus->Unplug(device);
    firmware->Announce(0x401);
    EXPECT_EQ(NextCode(), -1);
}

INSTANTIATE_TEST_SUITE_P(Links, VirtualKeyboardEventsTest,
                         ::testing::Values(VirtualKeyboard::Link::Cable,
                                           VirtualKeyboard::Link::Receiver));

}  // namespace
}  // namespace ravo::virt
