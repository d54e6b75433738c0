// ctest-labels: asan threads
#include "device/HidDevice.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualDeviceRegistry.h"
#include "virtualbus/VirtualHidBus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace ravo::virt {
namespace {

using namespace std::chrono_literals;

class CountingFirmware : public VirtualFirmware {
public:
    bool OnOutputReport(VirtualDevice& device, size_t index,
                        std::span<const uint8_t> report) override {
        ++writes;
        lastIndex = index;
        if (refuse)
            return false;
        uint8_t answer[64] = {};
        std::copy_n(report.begin(), std::min<size_t>(report.size(), 64), answer);
        answer[63] = 0xA5;
        device.QueueInput(index, answer);
        return true;
    }
    void OnAttached(const std::weak_ptr<VirtualDevice>& device) override { attached = device; }

    std::atomic<int> writes{0};
    std::atomic<size_t> lastIndex{99};
    std::atomic<bool> refuse{false};
    std::weak_ptr<VirtualDevice> attached;
};

std::vector<std::string> Paths(VirtualHidBus& bus) {
    std::vector<std::string> paths;
    EXPECT_TRUE(bus.Enumerate(paths));
    return paths;
}

HidOpenOptions ReadWrite() {
    return HidOpenOptions{true, true, true, false};
}

TEST(VirtualHidBusTest, PlugListsInterfacesInOrderAndUnplugRemovesThem) {
    auto bus = VirtualHidBus::Create();
    EXPECT_TRUE(Paths(*bus).empty());
    auto cable = bus->Plug(KeyboardCableInterfaces(), nullptr);
    auto receiver = bus->Plug(KeyboardReceiverInterfaces(), nullptr);
    auto paths = Paths(*bus);
    ASSERT_EQ(paths.size(), 10u);
    EXPECT_EQ(paths[0], cable->Path(0));
    EXPECT_EQ(paths[5], receiver->Path(0));
    EXPECT_EQ(ParseProductId(paths[5]), 0x5001);
    EXPECT_EQ(ParseCollectionNumber(paths[5]), 4);
    for (const auto& path : paths) {
        EXPECT_TRUE(bus->Owns(path));
        EXPECT_LE(path.size(), kMaxDevicePathLength);
    }

    bus->UnplugInterface(cable, kKeyboardEventInterface);
    EXPECT_FALSE(cable->IsPlugged(kKeyboardEventInterface));
    EXPECT_EQ(Paths(*bus).size(), 9u);
    EXPECT_EQ(bus->Open(cable->Path(kKeyboardEventInterface), ReadWrite()), nullptr);
    bus->ReplugInterface(cable, kKeyboardEventInterface);
    EXPECT_EQ(Paths(*bus).size(), 10u);

    bus->Unplug(cable);
    paths = Paths(*bus);
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(paths[0], receiver->Path(0));
    bus->Replug(cable);
    EXPECT_EQ(Paths(*bus)[0], cable->Path(0)) << "a replugged device keeps its paths";
    EXPECT_GE(bus->EnumerationCount(), 6u);
}

TEST(VirtualHidBusTest, PathsOfTwoBusesNeverCollide) {
    auto first = VirtualHidBus::Create();
    auto second = VirtualHidBus::Create();
    auto a = first->Plug(KeyboardCableInterfaces(), nullptr);
    auto b = second->Plug(KeyboardCableInterfaces(), nullptr);
    EXPECT_NE(a->Path(0), b->Path(0));
    EXPECT_FALSE(first->Owns(b->Path(0)));
    EXPECT_EQ(first->Open(b->Path(0), ReadWrite()), nullptr);
    EXPECT_EQ(first->Open("\\\\?\\hid#vid_320f&pid_5078#ravovirt_garbage", ReadWrite()), nullptr);
}

TEST(VirtualHidBusTest, FirmwareSeesWritesAndAnswersOnTheSameInterface) {
    auto bus = VirtualHidBus::Create();
    auto firmware = std::make_shared<CountingFirmware>();
    auto device = bus->Plug(KeyboardCableInterfaces(), firmware);
    EXPECT_EQ(firmware->attached.lock(), device);

    auto connection = bus->Open(device->Path(kKeyboardCommandInterface), ReadWrite());
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->Attributes().productId, kKeyboardCableProductId);
    EXPECT_EQ(connection->ReportDescriptor(), KeyboardInterface1Descriptor());
    const uint8_t request[64] = {4, 0x42};
    size_t bytes = 0;
    ASSERT_EQ(connection->Write(request, 64, &bytes, 100), HidTransferStatus::Ok);
    EXPECT_EQ(firmware->lastIndex, kKeyboardCommandInterface);
    uint8_t answer[64] = {};
    ASSERT_EQ(connection->Read(answer, 64, &bytes, 100), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 64u);
    EXPECT_EQ(answer[1], 0x42);
    EXPECT_EQ(answer[63], 0xA5);

    firmware->refuse = true;
    EXPECT_EQ(connection->Write(request, 64, &bytes, 100), HidTransferStatus::Failed);
    EXPECT_EQ(connection->Read(answer, 64, &bytes, 0), HidTransferStatus::TimedOut);
}

TEST(VirtualHidBusTest, InputGoesToEveryReaderOfThatInterfaceOnly) {
    auto bus = VirtualHidBus::Create();
    auto device = bus->Plug(KeyboardCableInterfaces(), nullptr);
    auto eventA = bus->Open(device->Path(kKeyboardEventInterface), ReadWrite());
    auto eventB = bus->Open(device->Path(kKeyboardEventInterface), ReadWrite());
    auto command = bus->Open(device->Path(kKeyboardCommandInterface), ReadWrite());
    auto writeOnly = bus->Open(device->Path(kKeyboardEventInterface), {false, true, true, false});
    ASSERT_TRUE(eventA && eventB && command && writeOnly);
    EXPECT_EQ(device->OpenCount(kKeyboardEventInterface), 3u);

    const uint8_t code[] = {3, 0x01, 0x04};
    device->QueueInput(kKeyboardEventInterface, code);
    uint8_t buffer[8];
    size_t bytes = 0;
    EXPECT_EQ(eventA->Read(buffer, 8, &bytes, 100), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 3u);
    EXPECT_EQ(eventB->Read(buffer, 8, &bytes, 100), HidTransferStatus::Ok);
    EXPECT_EQ(command->Read(buffer, 8, &bytes, 0), HidTransferStatus::TimedOut);
    EXPECT_EQ(writeOnly->Read(buffer, 8, &bytes, 0), HidTransferStatus::Failed);

    // A short buffer takes the front of the report.
    device->QueueInput(kKeyboardEventInterface, code);
    EXPECT_EQ(eventA->Read(buffer, 2, &bytes, 100), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 2u);
    writeOnly.reset();
    EXPECT_EQ(device->OpenCount(kKeyboardEventInterface), 2u);
}

TEST(VirtualHidBusTest, AFullQueueDropsTheOldestReports) {
    auto bus = VirtualHidBus::Create();
    auto device = bus->Plug(KeyboardCableInterfaces(), nullptr);
    auto reader = bus->Open(device->Path(kKeyboardEventInterface), ReadWrite());
    for (int i = 0; i < 100; ++i) {
        const uint8_t report[] = {3, static_cast<uint8_t>(i), 0};
        device->QueueInput(kKeyboardEventInterface, report);
    }
    uint8_t buffer[3];
    size_t bytes = 0;
    ASSERT_EQ(reader->Read(buffer, 3, &bytes, 0), HidTransferStatus::Ok);
    EXPECT_EQ(buffer[1], 100 - 64);
    int remaining = 1;
    while (reader->Read(buffer, 3, &bytes, 0) == HidTransferStatus::Ok)
        ++remaining;
    EXPECT_EQ(remaining, 64);
    EXPECT_EQ(buffer[1], 99);
}

TEST(VirtualHidBusTest, FaultsRefuseOpensAsTheirNamesSay) {
    auto bus = VirtualHidBus::Create();
    auto device = bus->Plug(KeyboardCableInterfaces(), nullptr);
    const std::string path = device->Path(kKeyboardCommandInterface);
    struct Case {
        InterfaceFault fault;
        bool readWrite, readOnly, writeOnly, noAccess;
    };
    const Case cases[] = {
        {InterfaceFault::None, true, true, true, true},
        {InterfaceFault::HeldExclusively, false, false, false, true},
        {InterfaceFault::NoReadAccess, false, false, true, true},
        {InterfaceFault::Silent, true, true, true, true},
    };
    for (const Case& c : cases) {
        device->SetFault(kKeyboardCommandInterface, c.fault);
        EXPECT_EQ(device->Fault(kKeyboardCommandInterface), c.fault);
        EXPECT_EQ(bus->Open(path, {true, true, true, false}) != nullptr, c.readWrite);
        EXPECT_EQ(bus->Open(path, {true, false, true, false}) != nullptr, c.readOnly);
        EXPECT_EQ(bus->Open(path, {false, true, true, false}) != nullptr, c.writeOnly);
        EXPECT_EQ(bus->Open(path, {false, false, false, false}) != nullptr, c.noAccess);
    }
}

TEST(VirtualHidBusTest, CancelEndsTheWaitAndEveryLaterTransfer) {
    auto bus = VirtualHidBus::Create();
    auto device = bus->Plug(KeyboardCableInterfaces(), nullptr);
    auto connection = bus->Open(device->Path(kKeyboardEventInterface), ReadWrite());
    auto read = std::async(std::launch::async, [&] {
        uint8_t buffer[3];
        size_t bytes = 0;
        return connection->Read(buffer, 3, &bytes, kInfiniteTimeout);
    });
    std::this_thread::sleep_for(20ms);
    connection->Cancel();
    ASSERT_EQ(read.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(read.get(), HidTransferStatus::Cancelled);
    const uint8_t report[] = {3, 1, 4};
    device->QueueInput(kKeyboardEventInterface, report);
    uint8_t buffer[3];
    size_t bytes = 0;
    EXPECT_EQ(connection->Read(buffer, 3, &bytes, 100), HidTransferStatus::Cancelled);
    EXPECT_EQ(connection->Write(report, 3, &bytes, 100), HidTransferStatus::Cancelled);
}

TEST(VirtualHidBusTest, ConcurrentTrafficPlugAndUnplug) {
    auto bus = VirtualHidBus::Create();
    auto firmware = std::make_shared<CountingFirmware>();
    auto device = bus->Plug(KeyboardCableInterfaces(), firmware);
    std::atomic<bool> stop{false};
    auto traffic = std::async(std::launch::async, [&] {
        int answered = 0;
        while (!stop) {
            auto connection = bus->Open(device->Path(0), ReadWrite());
            if (!connection)
                continue;
            const uint8_t request[64] = {4, 1};
            uint8_t answer[64];
            size_t bytes = 0;
            if (connection->Write(request, 64, &bytes, 50) == HidTransferStatus::Ok &&
                connection->Read(answer, 64, &bytes, 50) == HidTransferStatus::Ok)
                ++answered;
        }
        return answered;
    });
    auto lister = std::async(std::launch::async, [&] {
        while (!stop) {
            std::vector<std::string> paths;
            bus->Enumerate(paths);
        }
    });
    for (int i = 0; i < 200; ++i) {
        bus->UnplugInterface(device, 0);
        bus->ReplugInterface(device, 0);
        if (i % 50 == 0)
            bus->Plug(KeyboardReceiverInterfaces(), nullptr);
    }
    stop = true;
    ASSERT_EQ(traffic.wait_for(5s), std::future_status::ready);
    ASSERT_EQ(lister.wait_for(5s), std::future_status::ready);
    EXPECT_GE(traffic.get(), 0);
}

class RecordingFirmware : public VirtualFirmware {
public:
    bool OnOutputReport(VirtualDevice&, size_t, std::span<const uint8_t>) override { return true; }
};

TEST(VirtualDeviceRegistryTest, ParsesDeviceListsAndPlugsRegisteredFirmware) {
    struct Case {
        const char* list;
        bool ok;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"keyboard", true, {"keyboard"}},
        {"keyboard-receiver,keyboard", true, {"keyboard-receiver", "keyboard"}},
        {" keyboard , ,keyboard-receiver ", true, {"keyboard", "keyboard-receiver"}},
        {"", true, {}},
        {"keyboard,mouse", false, {}},
        {"Keyboard", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        std::vector<std::string> names;
        std::string error;
        EXPECT_EQ(ParseVirtualDeviceList(c.list, &names, &error), c.ok);
        if (c.ok)
            EXPECT_EQ(names, c.names);
        else
            EXPECT_NE(error.find("unknown virtual device"), std::string::npos);
    }

    auto bus = VirtualHidBus::Create();
    std::string error;
    EXPECT_EQ(PlugNamedVirtualDevice(*bus, "mouse", &error), nullptr);
    EXPECT_FALSE(error.empty());

    auto plain = PlugNamedVirtualDevice(*bus, "keyboard", &error);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->Spec(0).productId, kKeyboardCableProductId);
    auto connection = bus->Open(plain->Path(0), ReadWrite());
    const uint8_t request[64] = {4};
    size_t bytes = 0;
    EXPECT_EQ(connection->Write(request, 64, &bytes, 10), HidTransferStatus::Ok)
        << "no firmware: writes are swallowed";

    int made = 0;
    RegisterVirtualFirmwareFactory("keyboard-receiver", [&made] {
        ++made;
        return std::make_shared<RecordingFirmware>();
    });
    auto receiver = PlugNamedVirtualDevice(*bus, "keyboard-receiver", &error);
    ASSERT_NE(receiver, nullptr);
    EXPECT_EQ(receiver->Spec(0).productId, kKeyboardReceiverProductId);
    EXPECT_EQ(made, 1);
    RegisterVirtualFirmwareFactory("keyboard-receiver", nullptr);
}

}  // namespace
}  // namespace ravo::virt
