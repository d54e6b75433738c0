// ctest-labels: asan
// A keyboard that reports key counts and LED indexes past the program's images: what is read
// from the virtual keyboard goes through the key maps, the frame and the key table composer
// without a read or write outside a buffer.
#include "devices/KeyTableComposer.h"
#include "devices/KeyboardFrame.h"
#include "devices/KeyboardKeyMap.h"

#include "device/CommandLink.h"
#include "device/HidBus.h"
#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualKeyboard.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace ravo {
namespace {

using virt::VirtualKeyboard;
using virt::VirtualKeyboardState;

class VirtualKeyboardBoundsTest : public ::testing::Test {
protected:
    void Attach(const VirtualKeyboardState& state) {
        HidBus::Instance().SetBackends({bus});
        firmware = std::make_shared<VirtualKeyboard>(
            VirtualKeyboard::Link::Cable, std::make_shared<virt::VirtualKeyboardMemory>(state));
        device = bus->Plug(virt::KeyboardCableInterfaces(), firmware);
        std::lock_guard<std::recursive_mutex> io(link.IoLock());
        ASSERT_TRUE(link.CableLink().Open(device->Path(virt::kKeyboardCommandInterface), true, true,
                                          true, false));
        link.SetLinkMode(CommandLink::kModeCable);
        link.SetOpen(true);
    }
    void TearDown() override {
        {
            std::lock_guard<std::recursive_mutex> io(link.IoLock());
            link.SetOpen(false);
            link.CableLink().Close();
        }
        HidBus::Instance().SetBackends({});
    }
    // Matrix position of a program key number on the factory board.
    static int PositionOf(const VirtualKeyboardState& s, int key) {
        const auto code = virt::FactoryKeyCode(key);
        return s.PositionOfCode(code[0], code[1], code[2]);
    }

    std::shared_ptr<virt::VirtualHidBus> bus = virt::VirtualHidBus::Create();
    std::shared_ptr<VirtualKeyboard> firmware;
    std::shared_ptr<virt::VirtualDevice> device;
    CommandLink link;
    std::array<uint8_t, 34> info{};
    KeyTableImage table{};
    KeyTableImage leds{};
};

TEST_F(VirtualKeyboardBoundsTest, LedIndexesPastTheFrameAreSkipped) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.info[5] = 170;  // the most that fits: 510 bytes
    const int esc = PositionOf(state, 0);
    const int w = PositionOf(state, 44);
    const int a = PositionOf(state, 64);
    const int space = PositionOf(state, 108);
    state.ledMap[esc] = 127;    // the last LED of the frame
    state.ledMap[w] = 128;      // just past it
    state.ledMap[a] = 200;      // far past it
    state.ledMap[space] = 160;  // inside a 512-byte colour page, past the live frame
    Attach(state);

    ASSERT_EQ(keyboard::ReadEverything(link, info, table, leds), 1);
    KeyboardKeyMap map;
    map.Build(table, leds, info[5]);
    EXPECT_EQ(map.Led(0), 127);
    EXPECT_EQ(map.Led(44), 128);

    std::vector<LightEntry> lights(170, LightEntry{0xFF, 0x80, 0x40, 0xFF});
    LiveFrame frame{};
    BuildLiveFrame(lights.data(), lights.size(), map, frame);
    EXPECT_EQ(frame[127 * 3], ScaleChannel(0xFF, 0xFF));
    ASSERT_EQ(keyboard::SendLiveFrame(link, frame), 1);
    EXPECT_EQ(firmware->Memory().Snapshot().liveFrame, frame);

    LightPage page{};
    BuildColourPage(lights.data(), lights.size(), map, false, page);
    EXPECT_EQ(page[160 * 3], 0xFF);
    ASSERT_EQ(keyboard::WriteCustomColours(
                  link, std::span<const uint8_t>(page.data(), size_t{info[5]} * 3), 1),
              1);
    const auto s = firmware->Memory().Snapshot();
    EXPECT_EQ(s.colourPages[512 + 127 * 3], 0xFF);
}

TEST_F(VirtualKeyboardBoundsTest, KeyCountPastTheImageIsNeverFollowed) {
    for (uint8_t keyCount : {uint8_t{171}, uint8_t{255}}) {
        VirtualKeyboardState state = VirtualKeyboardState::Defaults();
        state.info[5] = keyCount;
        Attach(state);
        table.fill(0);
        leds.fill(0);
        EXPECT_EQ(keyboard::ReadEverything(link, info, table, leds), keyboard::kBadDeviceData);
        EXPECT_EQ(info[5], keyCount);

        // Whatever the program does with such a count stays inside its images.
        KeyboardKeyMap map;
        map.Build(state.keyTable, state.ledMap, keyCount);
        std::vector<KeyAssignmentPair> keys(kKeyboardKeyNumbers);
        for (int k = 0; k < kKeyboardKeyNumbers; ++k)
            keys[k].current = keys[k].fallback = KeyboardDefaultCode(k);
        KeyTableImage image{};
        EXPECT_EQ(ComposeKeyTable(state.keyTable, keyCount, map, keys, 0, image), 0);
        EXPECT_EQ(keyboard::WriteKeyTable(link, image), keyboard::kBadDeviceData);
        bus->Unplug(device);
    }
}

}  // namespace
}  // namespace ravo
