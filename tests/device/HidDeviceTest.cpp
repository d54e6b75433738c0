// ctest-labels: asan threads
#include "device/HidBus.h"
#include "device/HidDevice.h"
#include "device/HidReportDescriptor.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualHidBus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace ravo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Answers every command with the same bytes, report ID 4.
class EchoFirmware : public virt::VirtualFirmware {
public:
    bool OnOutputReport(virt::VirtualDevice& device, size_t index,
                        std::span<const uint8_t> report) override {
        device.QueueInput(index, report);
        return true;
    }
};

class HidDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
        keyboard = bus->Plug(virt::KeyboardCableInterfaces(), std::make_shared<EchoFirmware>());
    }
    void TearDown() override { HidBus::Instance().SetBackends({}); }

    std::string CommandPath() const { return keyboard->Path(virt::kKeyboardCommandInterface); }
    std::string EventPath() const { return keyboard->Path(virt::kKeyboardEventInterface); }

    std::shared_ptr<virt::VirtualHidBus> bus;
    std::shared_ptr<virt::VirtualDevice> keyboard;
};

TEST_F(HidDeviceTest, ListsEveryCollectionAsItsOwnInterface) {
    HidDevice device;
    ASSERT_TRUE(device.ListInterfaces());
    std::vector<std::string> paths;
    while (const std::string* path = device.NextInterfacePath())
        paths.push_back(*path);
    EXPECT_EQ(device.NextInterfacePath(), nullptr);
    ASSERT_EQ(paths.size(), keyboard->InterfaceCount());
    EXPECT_EQ(paths[0], CommandPath());
    EXPECT_NE(paths[0].find("vid_320f&pid_5078&mi_01&col04#"), std::string::npos);
    EXPECT_NE(paths[1].find("vid_320f&pid_5078&mi_01&col03#"), std::string::npos);
    EXPECT_EQ(paths[4].find("&col"), std::string::npos);

    device.ClearInterfaceList();
    EXPECT_EQ(device.NextInterfacePath(), nullptr);
}

TEST_F(HidDeviceTest, OpenLoadsAttributesCapabilitiesAndFields) {
    HidDevice device;
    ASSERT_TRUE(device.Open(CommandPath(), true, true, true, false));
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.Attributes().vendorId, 0x320F);
    EXPECT_EQ(device.Attributes().productId, 0x5078);
    EXPECT_EQ(device.Attributes().versionNumber, virt::kKeyboardFirmwareVersion);
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().usage, 0x92);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    EXPECT_EQ(device.Caps().outputReportByteLength, 64);
    EXPECT_EQ(device.InterfaceNumber(), 1u);
    EXPECT_EQ(device.CollectionNumber(), 4u);
    EXPECT_EQ(device.ReportBufferLength(HidReportType::Input), 64u);
    EXPECT_EQ(device.FieldCount(HidReportType::Input), 1u);

    ASSERT_TRUE(device.Open(EventPath(), true, false, true, false));  // reopen closes first
    EXPECT_EQ(device.Caps().usagePage, 0x0C);
    EXPECT_EQ(device.Caps().usage, 0x01);
    EXPECT_EQ(device.Caps().inputReportByteLength, 3);
    EXPECT_EQ(device.CollectionNumber(), 3u);
    ASSERT_EQ(device.FieldCount(HidReportType::Input), 1u);
    const ReportField& field = device.Fields(HidReportType::Input)[0];
    EXPECT_TRUE(field.isButton);
    EXPECT_EQ(field.usageListCapacity, 1u);
    EXPECT_EQ(keyboard->OpenCount(virt::kKeyboardCommandInterface), 0u);

    device.Close();
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.Caps().usagePage, 0);
    EXPECT_EQ(keyboard->OpenCount(virt::kKeyboardEventInterface), 0u);
}

TEST_F(HidDeviceTest, OpenFailuresLeaveTheDeviceClosed) {
    HidDevice other;
    ASSERT_TRUE(other.Open(CommandPath(), true, true, true, false));

    HidDevice device;
    EXPECT_FALSE(device.Open(CommandPath(), true, true, true, true))
        << "exclusive open while another writer holds it";
    EXPECT_FALSE(device.IsOpen());
    other.Close();
    ASSERT_TRUE(device.Open(CommandPath(), true, true, true, true));
    EXPECT_FALSE(other.Open(CommandPath(), true, true, true, false))
        << "held exclusively elsewhere";
    EXPECT_FALSE(other.IsOpen());
    EXPECT_TRUE(other.Open(CommandPath(), false, false, false, false)) << "presence check";
    device.Close();

    keyboard->SetFault(virt::kKeyboardEventInterface, virt::InterfaceFault::NoReadAccess);
    EXPECT_FALSE(device.Open(EventPath(), true, false, true, false));
    EXPECT_FALSE(device.IsOpen());

    EXPECT_FALSE(device.Open("\\\\?\\hid#vid_320f&pid_9999#nowhere", true, true, true, false));
    EXPECT_FALSE(device.Open(CommandPath() + std::string(300, 'x'), true, true, true, false));
    bus->Unplug(keyboard);
    EXPECT_FALSE(device.Open(CommandPath(), true, true, true, false));
    EXPECT_FALSE(device.IsOpen());
    uint8_t report[64] = {4};
    uint32_t bytes = 99;
    EXPECT_FALSE(device.WriteReport(report, 64, &bytes, 100));
    EXPECT_EQ(bytes, 0u);
    EXPECT_FALSE(device.ReadReport(report, 64, &bytes, 0));
}

TEST_F(HidDeviceTest, WriteThenReadTheAnswer) {
    HidDevice device;
    ASSERT_TRUE(device.Open(CommandPath(), true, true, true, false));
    uint8_t request[64] = {4, 0x11, 0x22};
    uint32_t bytes = 0;
    ASSERT_TRUE(device.WriteReport(request, 64, &bytes, 1000));
    EXPECT_EQ(bytes, 64u);
    uint8_t answer[64] = {};
    ASSERT_TRUE(device.ReadReport(answer, 64, &bytes, 1000));
    EXPECT_EQ(bytes, 64u);
    EXPECT_EQ(answer[1], 0x11);
    EXPECT_EQ(answer[2], 0x22);
}

TEST_F(HidDeviceTest, ReadTimesOutOnASilentInterfaceAndStaysUsable) {
    HidDevice device;
    ASSERT_TRUE(device.Open(CommandPath(), true, true, true, false));
    keyboard->SetFault(virt::kKeyboardCommandInterface, virt::InterfaceFault::Silent);
    uint8_t request[64] = {4, 1};
    uint32_t bytes = 0;
    EXPECT_TRUE(device.WriteReport(request, 64, &bytes, 1000));  // swallowed

    uint8_t buffer[64] = {};
    const auto start = Clock::now();
    EXPECT_FALSE(device.ReadReport(buffer, 64, &bytes, 1000));
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 990ms);
    EXPECT_LT(elapsed, 1500ms);
    EXPECT_EQ(bytes, 0u);

    keyboard->SetFault(virt::kKeyboardCommandInterface, virt::InterfaceFault::None);
    EXPECT_TRUE(device.IsOpen());
    ASSERT_TRUE(device.WriteReport(request, 64, &bytes, 1000));
    EXPECT_TRUE(device.ReadReport(buffer, 64, &bytes, 1000));
    EXPECT_EQ(buffer[1], 1);
}

TEST_F(HidDeviceTest, CloseFromAnotherThreadReleasesABlockedInfiniteRead) {
    HidDevice device;
    ASSERT_TRUE(device.Open(EventPath(), true, false, true, false));
    std::promise<void> started;
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[3];
        uint32_t bytes = 0;
        started.set_value();
        return device.ReadReport(buffer, 3, &bytes, kInfiniteTimeout);
    });
    started.get_future().wait();
    std::this_thread::sleep_for(50ms);  // let the read block (no condition to wait on)
    ASSERT_EQ(reader.wait_for(0ms), std::future_status::timeout);
    const auto start = Clock::now();
    device.Close();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(reader.get());
    EXPECT_LT(Clock::now() - start, 200ms);
    EXPECT_EQ(keyboard->OpenCount(virt::kKeyboardEventInterface), 0u);
}

TEST_F(HidDeviceTest, OpenFromAnotherThreadCancelsTheBlockedReadOfThePreviousInterface) {
    HidDevice device;
    ASSERT_TRUE(device.Open(EventPath(), true, false, true, false));
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[3];
        uint32_t bytes = 0;
        return device.ReadReport(buffer, 3, &bytes, kInfiniteTimeout);
    });
    std::this_thread::sleep_for(20ms);
    ASSERT_TRUE(device.Open(EventPath(), true, false, true, false));
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(reader.get());
    EXPECT_TRUE(device.IsOpen());
}

TEST_F(HidDeviceTest, UnplugFailsPendingReadsAndStalledWrites) {
    HidDevice reader;
    HidDevice writer;
    ASSERT_TRUE(reader.Open(EventPath(), true, false, true, false));
    ASSERT_TRUE(writer.Open(CommandPath(), true, true, true, false));
    keyboard->SetFault(virt::kKeyboardCommandInterface, virt::InterfaceFault::WriteStalls);
    auto read = std::async(std::launch::async, [&] {
        uint8_t buffer[3];
        uint32_t bytes = 0;
        return reader.ReadReport(buffer, 3, &bytes, kInfiniteTimeout);
    });
    auto write = std::async(std::launch::async, [&] {
        uint8_t request[64] = {4};
        uint32_t bytes = 0;
        return writer.WriteReport(request, 64, &bytes, kInfiniteTimeout);
    });
    std::this_thread::sleep_for(20ms);
    bus->Unplug(keyboard);
    ASSERT_EQ(read.wait_for(2s), std::future_status::ready);
    ASSERT_EQ(write.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(read.get());
    EXPECT_FALSE(write.get());
}

TEST_F(HidDeviceTest, StalledWriteTimesOut) {
    HidDevice device;
    ASSERT_TRUE(device.Open(CommandPath(), true, true, true, false));
    keyboard->SetFault(virt::kKeyboardCommandInterface, virt::InterfaceFault::WriteStalls);
    uint8_t request[64] = {4};
    uint32_t bytes = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(device.WriteReport(request, 64, &bytes, 100));
    EXPECT_GE(Clock::now() - start, 95ms);
}

TEST_F(HidDeviceTest, ExtractUsagesDecodesTheEventCode) {
    HidDevice device;
    ASSERT_TRUE(device.Open(EventPath(), true, false, true, false));
    const uint8_t code[] = {virt::kKeyboardEventReportId, 0x02, 0x04};
    keyboard->QueueInput(virt::kKeyboardEventInterface, code);

    uint8_t* buffer = device.ReportBuffer(HidReportType::Input);
    const uint32_t length = device.ReportBufferLength(HidReportType::Input);
    uint32_t bytes = 0;
    ASSERT_TRUE(device.ReadReport(buffer, length, &bytes, 1000));
    ASSERT_TRUE(device.ExtractUsages(buffer, bytes, HidReportType::Input,
                                     device.Fields(HidReportType::Input),
                                     device.FieldCount(HidReportType::Input)));
    const ReportField& field = device.Fields(HidReportType::Input)[0];
    EXPECT_TRUE(field.isSet);
    EXPECT_EQ(field.status, kHidStatusSuccess);
    EXPECT_EQ(field.usages[0], 0x402);

    // A report whose ID matches no field leaves every field as it was.
    ReportField before = field;
    const uint8_t foreign[] = {7, 0x09, 0x09};
    EXPECT_TRUE(device.ExtractUsages(foreign, 3, HidReportType::Input,
                                     device.Fields(HidReportType::Input),
                                     device.FieldCount(HidReportType::Input)));
    EXPECT_EQ(field.usages, before.usages);
    EXPECT_EQ(field.status, before.status);

    // Nothing pressed: the list starts with its terminating 0.
    const uint8_t none[] = {virt::kKeyboardEventReportId, 0, 0};
    EXPECT_TRUE(device.ExtractUsages(none, 3, HidReportType::Input,
                                     device.Fields(HidReportType::Input),
                                     device.FieldCount(HidReportType::Input)));
    EXPECT_EQ(field.usages[0], 0);
}

TEST_F(HidDeviceTest, ExtractUsagesFailsOnAValueItCannotRead) {
    HidDevice device;
    ASSERT_TRUE(device.Open(CommandPath(), true, true, true, false));
    ASSERT_EQ(device.FieldCount(HidReportType::Input), 1u);
    const uint8_t shortAnswer[] = {4};
    EXPECT_FALSE(device.ExtractUsages(shortAnswer, 1, HidReportType::Input,
                                      device.Fields(HidReportType::Input), 1));
    EXPECT_EQ(device.Fields(HidReportType::Input)[0].status, kHidStatusInvalidReportLength);
    uint8_t answer[64] = {4, 0x33};
    EXPECT_TRUE(device.ExtractUsages(answer, 64, HidReportType::Input,
                                     device.Fields(HidReportType::Input), 1));
    EXPECT_EQ(device.Fields(HidReportType::Input)[0].rawValue, 0x33u);
}

}  // namespace
}  // namespace ravo
