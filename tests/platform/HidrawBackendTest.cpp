// ctest-labels: asan threads
#include "device/HidBus.h"
#include "device/HidDevice.h"
#include "platform/hid/HidrawBackend.h"
#include "platform/hid/HidrawConnection.h"
#include "platform/hid/HidrawPaths.h"
#include "platform/hid/HidrawSysfs.h"
#include "virtualbus/KeyboardInterfaces.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <future>
#include <thread>

namespace ravo::platform {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(HidrawPathsTest, PathsCarryTheNumbersTheParsersRead) {
    struct Case {
        int interfaceNumber;
        unsigned collection;
        const char* expected;
    };
    const Case cases[] = {
        {1, 4,
         "\\\\?\\hid#vid_320f&pid_5078&mi_01&col04#hidraw3#{4d1e55b2-f16f-11cf-88cb-"
         "001111000030}"},
        {3, 0, "\\\\?\\hid#vid_320f&pid_5078&mi_03#hidraw3#{4d1e55b2-f16f-11cf-88cb-001111000030}"},
        {-1, 10,
         "\\\\?\\hid#vid_320f&pid_5078&col0a#hidraw3#{4d1e55b2-f16f-11cf-88cb-"
         "001111000030}"},
    };
    for (const Case& c : cases) {
        const std::string path =
            MakeHidrawInterfacePath(0x320F, 0x5078, c.interfaceNumber, c.collection, "hidraw3");
        EXPECT_EQ(path, c.expected);
        EXPECT_EQ(ParseVendorId(path), 0x320F);
        EXPECT_EQ(ParseProductId(path), 0x5078);
        EXPECT_EQ(ParseInterfaceNumber(path), c.interfaceNumber < 0 ? 0 : c.interfaceNumber);
        EXPECT_EQ(ParseCollectionNumber(path), c.collection);
        EXPECT_EQ(HidrawNodeOfPath(path), "hidraw3");
    }
}

TEST(HidrawPathsTest, OnlyWellFormedPathsNameANode) {
    const char* suffix = "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    const std::string bad[] = {
        "",
        "/dev/hidraw0",
        std::string("\\\\?\\hid#vid_320f&pid_5078#hidraw") + suffix,             // no number
        std::string("\\\\?\\hid#vid_320f&pid_5078#hidraw1/../../etc") + suffix,  // traversal
        "\\\\?\\hid#vid_320f&pid_5078#hidraw1",                                  // no class part
        std::string("\\\\?\\hid#vid_320f&pid_5078#hidraw12345678") + suffix,
        std::string("\\\\?\\hid#vid_320f&pid_5078#ravovirt_1_1_0") + suffix,
    };
    for (const std::string& path : bad)
        EXPECT_EQ(HidrawNodeOfPath(path), "") << path;
}

// A sysfs and /dev tree of one node, hidraw7, with the keyboard's interface 1.
class FakeNode {
public:
    FakeNode(std::vector<uint8_t> descriptor = virt::KeyboardInterface1Descriptor(),
             const std::string& uevent = "DRIVER=hid-generic\nHID_ID=0003:0000320F:00005078\n") {
        const std::string device = Sysfs() + "/class/hidraw/hidraw7/device";
        QDir().mkpath(QString::fromStdString(device));
        QDir().mkpath(QString::fromStdString(Dev()));
        Write(device + "/report_descriptor", std::string(descriptor.begin(), descriptor.end()));
        Write(device + "/uevent", uevent);
        Write(Sysfs() + "/class/hidraw/bcdDevice", "0103\n");
        EXPECT_EQ(mkfifo(Node().c_str(), 0600), 0);
    }
    std::string Sysfs() const { return m_dir.path().toStdString() + "/sys"; }
    std::string Dev() const { return m_dir.path().toStdString() + "/dev"; }
    std::string Node() const { return Dev() + "/hidraw7"; }
    static std::string Path(unsigned collection, uint16_t product = 0x5078) {
        return MakeHidrawInterfacePath(0x320F, product, 1, collection, "hidraw7");
    }
    static void Write(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

private:
    QTemporaryDir m_dir;
};

TEST(HidrawSysfsTest, ReadsIdentityVersionAndDescriptor) {
    FakeNode node;
    HidrawNodeInfo info;
    std::string error;
    ASSERT_TRUE(ReadHidrawNodeInfo(node.Sysfs(), "hidraw7", &info, &error)) << error;
    EXPECT_EQ(info.vendorId, 0x320F);
    EXPECT_EQ(info.productId, 0x5078);
    EXPECT_EQ(info.version, 0x0103);
    EXPECT_EQ(info.reportDescriptor, virt::KeyboardInterface1Descriptor());
    EXPECT_FALSE(ReadHidrawNodeInfo(node.Sysfs(), "hidraw8", &info, &error));
    EXPECT_FALSE(error.empty());

    FakeNode anonymous(virt::KeyboardInterface1Descriptor(), "DRIVER=hid-generic\n");
    EXPECT_FALSE(ReadHidrawNodeInfo(anonymous.Sysfs(), "hidraw7", &info, &error));
}

// A connection over one end of a packet socket: the other end plays the node.
class HidrawConnectionTest : public ::testing::Test {
protected:
    void Connect(const std::vector<uint8_t>& descriptorBytes, size_t collectionIndex) {
        int fds[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, fds), 0);
        ASSERT_EQ(fcntl(fds[0], F_SETFL, O_NONBLOCK), 0);
        peer = fds[1];
        HidReportDescriptor descriptor;
        ASSERT_TRUE(descriptor.Parse(descriptorBytes));
        connection = std::make_unique<HidrawConnection>(
            fds[0], HidOpenOptions{}, HidAttributes{0x320F, 0x5078, 0x0103}, descriptorBytes,
            HidCollectionFilter(descriptor, collectionIndex));
        ASSERT_TRUE(connection->Valid());
    }
    void TearDown() override {
        connection.reset();
        if (peer >= 0)
            close(peer);
    }
    void Send(std::vector<uint8_t> report) {
        ASSERT_EQ(write(peer, report.data(), report.size()), static_cast<ssize_t>(report.size()));
    }

    int peer = -1;
    std::unique_ptr<HidrawConnection> connection;
};

TEST_F(HidrawConnectionTest, ReadsDeliverOnlyTheOpenedCollectionsReports) {
    Connect(virt::KeyboardInterface1Descriptor(), 2);  // collection 3: consumer control
    std::vector<uint8_t> command(64, 0);
    command[0] = 4;
    Send(command);
    Send({1, 0, 0, 0});
    Send({3, 0x02, 0x04});
    uint8_t buffer[64];
    size_t bytes = 0;
    ASSERT_EQ(connection->Read(buffer, sizeof buffer, &bytes, 1000), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 3u);
    EXPECT_EQ(buffer[0], 3);
    EXPECT_EQ(buffer[2], 0x04);
    EXPECT_EQ(connection->Read(buffer, sizeof buffer, &bytes, 0), HidTransferStatus::TimedOut);
}

TEST_F(HidrawConnectionTest, ReportsWithoutIdsGetAZeroInFront) {
    Connect(virt::KeyboardInterface0Descriptor(), 0);
    Send({0x02, 0, 0x04, 0, 0, 0, 0, 0});
    uint8_t buffer[9];
    size_t bytes = 0;
    ASSERT_EQ(connection->Read(buffer, sizeof buffer, &bytes, 1000), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 9u);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(buffer[1], 0x02);
    EXPECT_EQ(buffer[3], 0x04);
}

TEST_F(HidrawConnectionTest, TimedReadEndsAfterItsTimeoutAndTheConnectionStaysUsable) {
    Connect(virt::KeyboardInterface1Descriptor(), 3);
    uint8_t buffer[64];
    size_t bytes = 0;
    const auto start = Clock::now();
    EXPECT_EQ(connection->Read(buffer, 64, &bytes, 1000), HidTransferStatus::TimedOut);
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 990ms);
    EXPECT_LT(elapsed, 1500ms);
    std::vector<uint8_t> answer(64, 0x11);
    answer[0] = 4;
    Send(answer);
    ASSERT_EQ(connection->Read(buffer, 64, &bytes, 1000), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 64u);

    const uint8_t request[64] = {4, 0x55};
    ASSERT_EQ(connection->Write(request, 64, &bytes, 1000), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 64u);
    uint8_t received[64] = {};
    EXPECT_EQ(read(peer, received, 64), 64);
    EXPECT_EQ(received[1], 0x55);
}

TEST_F(HidrawConnectionTest, CancelReleasesABlockedInfiniteReadAtOnce) {
    Connect(virt::KeyboardInterface1Descriptor(), 2);
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[3];
        size_t bytes = 0;
        return connection->Read(buffer, 3, &bytes, kInfiniteTimeout);
    });
    std::this_thread::sleep_for(50ms);
    ASSERT_EQ(reader.wait_for(0ms), std::future_status::timeout);
    const auto start = Clock::now();
    connection->Cancel();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), HidTransferStatus::Cancelled);
    EXPECT_LT(Clock::now() - start, 100ms);
    uint8_t buffer[3];
    size_t bytes = 0;
    Send({3, 1, 4});
    EXPECT_EQ(connection->Read(buffer, 3, &bytes, 100), HidTransferStatus::Cancelled);
    EXPECT_EQ(connection->Write(buffer, 3, &bytes, 100), HidTransferStatus::Cancelled);
}

TEST_F(HidrawConnectionTest, ANodeThatGoesAwayFailsThePendingRead) {
    Connect(virt::KeyboardInterface1Descriptor(), 2);
    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[3];
        size_t bytes = 0;
        return connection->Read(buffer, 3, &bytes, kInfiniteTimeout);
    });
    std::this_thread::sleep_for(20ms);
    close(peer);
    peer = -1;
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_EQ(reader.get(), HidTransferStatus::Failed);
}

TEST(HidrawBackendTest, EnumeratesThisMachineWithoutError) {
    auto backend = CreateHidrawBackend();
    std::vector<std::string> paths;
    ASSERT_TRUE(backend->Enumerate(paths));
    for (const std::string& path : paths) {
        EXPECT_TRUE(backend->Owns(path)) << path;
        EXPECT_LE(path.size(), kMaxDevicePathLength);
    }
    ASSERT_TRUE(backend->Enumerate(paths)) << "listing again";
}

TEST(HidrawBackendTest, OpensACollectionOfANodeByItsPath) {
    FakeNode node;
    auto backend = CreateHidrawBackend(node.Sysfs(), node.Dev());
    EXPECT_TRUE(backend->Owns(FakeNode::Path(3)));

    auto connection = backend->Open(FakeNode::Path(3), {true, true, true, false});
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(connection->Attributes().productId, 0x5078);
    EXPECT_EQ(connection->Attributes().versionNumber, 0x0103);
    EXPECT_EQ(connection->ReportDescriptor(), virt::KeyboardInterface1Descriptor());

    // One report through the node.
    const int writer = open(node.Node().c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    const uint8_t report[] = {3, 0x01, 0x04};
    ASSERT_EQ(write(writer, report, 3), 3);
    uint8_t buffer[8];
    size_t bytes = 0;
    ASSERT_EQ(connection->Read(buffer, 8, &bytes, 1000), HidTransferStatus::Ok);
    EXPECT_EQ(bytes, 3u);
    EXPECT_EQ(buffer[2], 0x04);
    close(writer);

    // Transfers the open gave no access for fail at once.
    auto readOnly = backend->Open(FakeNode::Path(3), {true, false, true, false});
    auto writeOnly = backend->Open(FakeNode::Path(3), {false, true, true, false});
    ASSERT_TRUE(readOnly && writeOnly);
    EXPECT_EQ(readOnly->Write(report, 3, &bytes, 1000), HidTransferStatus::Failed);
    EXPECT_EQ(writeOnly->Read(buffer, 8, &bytes, kInfiniteTimeout), HidTransferStatus::Failed);

    struct Case {
        const char* what;
        std::string path;
    };
    const Case refused[] = {
        {"another product now has the node", FakeNode::Path(3, 0x5001)},
        {"no such collection", FakeNode::Path(5)},
        {"no such node", MakeHidrawInterfacePath(0x320F, 0x5078, 1, 3, "hidraw8")},
        {"not ours", "\\\\?\\hid#vid_320f&pid_5078#ravovirt_1_1_0"},
    };
    for (const Case& c : refused)
        EXPECT_EQ(backend->Open(c.path, {true, true, true, false}), nullptr) << c.what;
}

TEST(HidrawBackendTest, ExclusiveOpensKeepOthersOutButNotThePresenceCheck) {
    FakeNode node;
    auto backend = CreateHidrawBackend(node.Sysfs(), node.Dev());
    auto exclusive = backend->Open(FakeNode::Path(4), {true, true, true, true});
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(backend->Open(FakeNode::Path(4), {true, true, true, false}), nullptr);
    EXPECT_EQ(backend->Open(FakeNode::Path(3), {true, false, true, false}), nullptr);
    EXPECT_NE(backend->Open(FakeNode::Path(4), {false, false, false, false}), nullptr);
    exclusive.reset();
    auto shared = backend->Open(FakeNode::Path(4), {true, true, true, false});
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(backend->Open(FakeNode::Path(4), {true, true, true, true}), nullptr);
    shared.reset();

    ASSERT_EQ(unlink(node.Node().c_str()), 0);
    EXPECT_EQ(backend->Open(FakeNode::Path(4), {false, false, false, false}), nullptr)
        << "the node is gone";
}

TEST(HidrawBackendTest, HidDeviceSeesTheCollectionsCapabilities) {
    FakeNode node;
    HidBus::Instance().SetBackends({CreateHidrawBackend(node.Sysfs(), node.Dev())});
    HidDevice device;
    ASSERT_TRUE(device.Open(FakeNode::Path(4), true, true, true, false));
    EXPECT_EQ(device.Caps().usagePage, 0xFF1C);
    EXPECT_EQ(device.Caps().usage, 0x92);
    EXPECT_EQ(device.Caps().inputReportByteLength, 64);
    EXPECT_EQ(device.Attributes().versionNumber, 0x0103);
    EXPECT_EQ(device.InterfaceNumber(), 1u);
    EXPECT_EQ(device.CollectionNumber(), 4u);

    auto reader = std::async(std::launch::async, [&] {
        uint8_t buffer[64];
        uint32_t bytes = 0;
        return device.ReadReport(buffer, 64, &bytes, kInfiniteTimeout);
    });
    std::this_thread::sleep_for(30ms);
    device.Close();
    ASSERT_EQ(reader.wait_for(2s), std::future_status::ready);
    EXPECT_FALSE(reader.get());
    HidBus::Instance().SetBackends({});
}

}  // namespace
}  // namespace ravo::platform
