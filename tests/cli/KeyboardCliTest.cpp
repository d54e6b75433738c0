// ctest-labels: asan
// The keyboard commands of the command-line tool against a virtual keyboard in this process.
#include "cli/KeyboardCliCommands.h"
#include "cli/KeyboardConnection.h"

#include "device/HidBus.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualKeyboard.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ravo::cli {
namespace {

using virt::VirtualKeyboard;
using Args = std::vector<std::string>;

struct Output {
    int code = -1;
    std::string out;
    std::string err;
};

class KeyboardCliTest : public ::testing::Test {
protected:
    void SetUp() override { HidBus::Instance().SetBackends({bus}); }
    void TearDown() override { HidBus::Instance().SetBackends({}); }

    void Plug(VirtualKeyboard::Link link = VirtualKeyboard::Link::Cable) {
        firmware = std::make_shared<VirtualKeyboard>(link);
        device =
            bus->Plug(link == VirtualKeyboard::Link::Cable ? virt::KeyboardCableInterfaces()
                                                           : virt::KeyboardReceiverInterfaces(),
                      firmware);
    }

    template <typename Command>
    Output Run(Command command, const Args& args) {
        std::ostringstream out;
        std::ostringstream err;
        Output o;
        o.code = command(args, out, err);
        o.out = out.str();
        o.err = err.str();
        return o;
    }

    std::shared_ptr<virt::VirtualHidBus> bus = virt::VirtualHidBus::Create();
    std::shared_ptr<VirtualKeyboard> firmware;
    std::shared_ptr<virt::VirtualDevice> device;
};

TEST_F(KeyboardCliTest, WithoutAKeyboardEveryCommandSaysSo) {
    for (auto [command, args] : {std::pair{&RunInfo, Args{}}, std::pair{&RunLight, Args{"get"}},
                                 std::pair{&RunKeys, Args{"get"}}}) {
        const Output o = Run(command, args);
        EXPECT_EQ(o.code, kExitDeviceError);
        EXPECT_NE(o.err.find("no keyboard found"), std::string::npos) << o.err;
        EXPECT_TRUE(o.out.empty());
    }
}

TEST_F(KeyboardCliTest, InfoShowsTheKeyboardsBlockAndState) {
    Plug();
    const Output o = Run(&RunInfo, {});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    EXPECT_NE(o.out.find("link: cable"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("key count: 126"), std::string::npos);
    EXPECT_NE(o.out.find("macro memory: 4096 bytes"), std::string::npos);
    EXPECT_NE(o.out.find("active on-board profile: 0"), std::string::npos);
    EXPECT_NE(o.out.find("power: battery 80%, powered by cable"), std::string::npos);
    EXPECT_NE(o.out.find("information block: 01 03 00 00 00 7E 20"), std::string::npos);
}

TEST_F(KeyboardCliTest, LightSetWritesRecordZeroAndLightGetReadsItBack) {
    Plug();
    firmware->Memory().Edit([](virt::VirtualKeyboardState& s) { s.lightMemory[0] = 3; });
    Output o = Run(&RunLight, {"set", "--mode", "4", "--brightness=3", "--speed", "1", "--color",
                               "#10a0FF", "--multicolor", "1", "--direction", "2"});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    const auto s = firmware->Memory().Snapshot();
    EXPECT_EQ(s.lightMemory[0], 0);
    EXPECT_EQ(s.lightMemory[1], 4);
    EXPECT_EQ(s.lightMemory[2], 3);
    EXPECT_EQ(s.lightMemory[3], 3);  // speed 1, counted in reverse
    EXPECT_EQ(s.lightMemory[4], 2);
    EXPECT_EQ(s.lightMemory[5], 1);
    EXPECT_EQ(s.lightMemory[6], 0x10);
    EXPECT_EQ(s.lightMemory[7], 0xA0);
    EXPECT_EQ(s.lightMemory[8], 0xFF);

    o = Run(&RunLight, {"get"});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    for (const char* line : {"record: 0\n", "mode: 4\n", "brightness: 3\n", "speed: 1\n",
                             "direction: 2\n", "multicolor: 1\n", "color: 10A0FF\n"})
        EXPECT_NE(o.out.find(line), std::string::npos) << line << " in\n" << o.out;
}

TEST_F(KeyboardCliTest, LightSetKeepsWhatItIsNotTold) {
    Plug();
    ASSERT_EQ(Run(&RunLight, {"set", "--mode", "7"}).code, kExitOk);
    const auto s = firmware->Memory().Snapshot();
    const auto factory = virt::VirtualKeyboardState::Defaults();
    EXPECT_EQ(s.lightMemory[1], 7);
    EXPECT_EQ(s.lightMemory[2], factory.lightMemory[2]);
    EXPECT_EQ(s.lightMemory[6], factory.lightMemory[6]);
}

TEST_F(KeyboardCliTest, BadArgumentsAreUsageErrorsAndSendNothing) {
    Plug();
    const Args cases[] = {
        {},
        {"put"},
        {"get", "extra"},
        {"set"},
        {"set", "--brightness", "5"},
        {"set", "--speed", "-1"},
        {"set", "--mode", "256"},
        {"set", "--mode", "4x"},
        {"set", "--multicolor", "2"},
        {"set", "--color", "GG0000"},
        {"set", "--color", "12345"},
        {"set", "--bogus", "1"},
        {"set", "--mode"},
    };
    for (const Args& args : cases) {
        const Output o = Run(&RunLight, args);
        EXPECT_EQ(o.code, kExitUsage) << ::testing::PrintToString(args);
        EXPECT_FALSE(o.err.empty());
    }
    EXPECT_EQ(Run(&RunKeys, {}).code, kExitUsage);
    EXPECT_EQ(Run(&RunInfo, {"x"}).code, kExitUsage);
    EXPECT_EQ(firmware->RequestCount(), 0u);
}

TEST_F(KeyboardCliTest, KeysGetListsTheTableInTheKeyboardsOrder) {
    Plug(VirtualKeyboard::Link::Receiver);
    const Output o = Run(&RunKeys, {"get"});
    ASSERT_EQ(o.code, kExitOk) << o.err;
    EXPECT_NE(o.out.find("key count: 126\n"), std::string::npos);
    EXPECT_NE(o.out.find("0         20 00 29  0\n"), std::string::npos) << o.out;  // Esc
    EXPECT_NE(o.out.find("1         20 00 35  32\n"), std::string::npos);  // ` at the chain's end
    EXPECT_NE(o.out.find("125       00 00 00  -\n"), std::string::npos);
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 128);
}

TEST_F(KeyboardCliTest, KeyboardFailuresGiveAClearMessage) {
    struct Case {
        const char* name;
        std::function<void(VirtualKeyboard&)> fault;
        VirtualKeyboard::Link link;
        const char* message;
    };
    const Case cases[] = {
        {"rejected", [](VirtualKeyboard& k) { k.FailChunk(0x06, 0, 0xFF); },
         VirtualKeyboard::Link::Cable, "rejected"},
        {"failed", [](VirtualKeyboard& k) { k.FailChunk(0x06, 0, 0xFE); },
         VirtualKeyboard::Link::Cable, "could not carry out"},
        {"off line", [](VirtualKeyboard& k) { k.SetOnline(false); },
         VirtualKeyboard::Link::Receiver, "not connected to its receiver"},
        {"silent", [](VirtualKeyboard& k) { k.DropAnswers(-1); }, VirtualKeyboard::Link::Cable,
         "does not answer"},
    };
    for (const Case& c : cases) {
        if (device)
            bus->Unplug(device);
        Plug(c.link);
        c.fault(*firmware);
        const Output o = Run(&RunLight, {"set", "--mode", "4"});
        EXPECT_EQ(o.code, kExitDeviceError) << c.name;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << c.name << ": " << o.err;
    }
}

TEST_F(KeyboardCliTest, OutOfRangeKeyCountIsReportedNotFollowed) {
    Plug();
    firmware->Memory().Edit([](virt::VirtualKeyboardState& s) { s.info[5] = 200; });
    const Output o = Run(&RunKeys, {"get"});
    EXPECT_EQ(o.code, kExitDeviceError);
    EXPECT_NE(o.err.find("key count out of range"), std::string::npos) << o.err;
}

}  // namespace
}  // namespace ravo::cli
