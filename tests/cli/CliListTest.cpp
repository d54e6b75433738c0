// The command-line tool's dispatch and its list command, in process.
#include "cli/CliCommands.h"
#include "cli/KeyboardConnection.h"
#include "device/HidBus.h"

#include <QtGlobal>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace ravo::cli {
namespace {

struct Output {
    int code = -1;
    std::string out;
    std::string err;
};

class CliListTest : public ::testing::Test {
protected:
    void TearDown() override {
        qunsetenv("RAVO_TKL_VIRTUAL");
        HidBus::Instance().SetBackends({});
    }
    static Output Run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        Output o;
        o.code = RunCli(arguments, out, err);
        o.out = out.str();
        o.err = err.str();
        return o;
    }
    static size_t Lines(const std::string& text) {
        return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
    }
};

TEST_F(CliListTest, ListsTheVirtualKeyboardsInterfaces) {
    const Output o = Run({"--virtual", "keyboard", "list"});
    EXPECT_EQ(o.code, kExitOk) << o.err;
    EXPECT_EQ(Lines(o.out), 3u) << o.out;  // header, rows 0 and 1
    EXPECT_NE(
        o.out.find("0    keyboard             command  FF1C:0092  \\\\?\\hid#vid_320f&pid_5078"
                   "&mi_01&col04#"),
        std::string::npos)
        << o.out;
    EXPECT_NE(o.out.find("1    keyboard             event    000C:0001"), std::string::npos);
}

TEST_F(CliListTest, TheEnvironmentNamesVirtualDevicesToo) {
    qputenv("RAVO_TKL_VIRTUAL", "keyboard-receiver");
    const Output o = Run({"list"});
    EXPECT_EQ(o.code, kExitOk) << o.err;
    EXPECT_NE(o.out.find("2    keyboard (receiver)  command"), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("3    keyboard (receiver)  event"), std::string::npos) << o.out;
    const Output both = Run({"--virtual=keyboard,keyboard-receiver", "list"});
    EXPECT_EQ(Lines(both.out), 5u) << both.out;
}

TEST_F(CliListTest, MissingDevicesAreAClearErrorNotACrash) {
    struct Case {
        std::vector<std::string> arguments;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {{"list"}, kExitDeviceError, "no supported device found"},
        {{"list", "--real-only", "--virtual", "keyboard"},
         kExitDeviceError,
         "no RAVO keyboard found"},  // virtual ones do not count
        {{"list", "--bogus"}, kExitUsage, "unknown argument"},
        {{"--virtual", "mouse", "list"}, kExitUsage, "unknown virtual device \"mouse\""},
        {{"list", "--virtual"}, kExitUsage, "needs a device list"},
        {{"frobnicate"}, kExitUsage, "unknown command \"frobnicate\""},
        {{}, kExitUsage, "usage:"},
        {{"info"}, kExitDeviceError, "no keyboard found"},
    };
    for (const Case& c : cases) {
        const Output o = Run(c.arguments);
        EXPECT_EQ(o.code, c.code) << c.message;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    }
}

TEST_F(CliListTest, HelpListsEveryCommandOfTheTable) {
    const Output o = Run({"--help"});
    EXPECT_EQ(o.code, kExitOk);
    for (const CliCommand& command : Commands())
        EXPECT_NE(o.out.find(std::string("  ") + command.name + " "), std::string::npos)
            << command.name;
    EXPECT_EQ(Run({"help"}).code, kExitOk);
}

}  // namespace
}  // namespace ravo::cli
