// ctest-labels: asan threads
// The keyboard's device object against the virtual keyboard: first contact, key and LED maps,
// frames, key table and macro downloads, the light record and the listener's codes.
#include "devices/NorvexKeyboardDevice.h"

#include "app/toolkit/ResourceManager.h"
#include "device/KeyboardCommands.h"
#include "panels/DeviceKeyButtonUI.h"
#include "profile/JsonFiles.h"
#include "tests/devices/CabledKeyboardFixture.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <thread>

namespace ravo {
namespace {

using virt::VirtualKeyboard;
using virt::VirtualKeyboardMemory;
using virt::VirtualKeyboardState;

// The 87 key numbers of the board.
const std::vector<int> kBoardKeys = {
    0,  1,  2,  3,  4,   5,   6,   7,   8,   9,   10,  11,  12,  13,  14, 15, 21, 22,
    23, 24, 25, 26, 27,  28,  29,  30,  31,  32,  33,  34,  35,  36,  37, 42, 43, 44,
    45, 46, 47, 48, 49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  63, 64, 65, 66,
    67, 68, 69, 70, 71,  72,  73,  74,  75,  84,  85,  86,  87,  88,  89, 90, 91, 92,
    93, 94, 95, 96, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115};

int PositionOf(const VirtualKeyboardState& s, int key) {
    const KeyCodeBytes c = KeyboardDefaultCode(key);
    return s.PositionOfCode(c.type, c.p1, c.p2);
}

class KeyboardDeviceTest : public test::CabledKeyboardFixture {
protected:
    // Writes macro.config with macros of these event counts (Guids m0, m1, ...).
    void WriteMacros(const std::vector<int>& eventCounts) {
        const QString folder = device->UserFolder().GetData();
        Json::Value config;
        for (size_t m = 0; m < eventCounts.size(); ++m) {
            const std::string guid = "m" + std::to_string(m);
            Json::Value entry;
            entry["MacroName"] = "macro_" + std::to_string(m + 1);
            entry["Guid"] = guid;
            config["MacroInfo"].append(entry);
            Json::Value file;
            for (int e = 0; e < eventCounts[m]; ++e) {
                Json::Value ev;
                ev["Action"] = e % 2 == 0 ? "down" : "up";
                ev["Type"] = 10;
                ev["Button"] = 4 + static_cast<int>(m);
                ev["Delay"] = std::to_string(10 + e);
                file["Events"].append(ev);
            }
            ASSERT_TRUE(WriteJsonFile(file, folder + QString::fromStdString(guid) + ".mac"));
        }
        ASSERT_TRUE(WriteJsonFile(config, folder + "macro.config"));
    }

    size_t CountRequests(uint8_t command) const {
        size_t n = 0;
        for (const auto& r : firmware->Requests()) {
            n += r.report[3] == command;
        }
        return n;
    }
};

TEST_F(KeyboardDeviceTest, FirstContactSendsEachKeyColourToItsLed) {
    const VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    Attach(state);
    device->OnAttached();
    device->StopWorkerThreads();  // the lights below are set by hand

    for (int key : kBoardKeys) {
        const int p = PositionOf(state, key);
        ASSERT_GE(p, 0);
        EXPECT_EQ(device->KeyMap().Position(key), p) << key;
        EXPECT_EQ(device->KeyMap().Led(key), state.ledMap[p]) << key;
        EXPECT_EQ(device->LedMap().at(key), state.ledMap[p]) << key;
    }
    for (int key = 0; key < kKeyboardKeyNumbers; ++key) {
        device->SetLight(key, {static_cast<uint8_t>(key), static_cast<uint8_t>(200 - key),
                               static_cast<uint8_t>(key + 7), 255});
    }
    firmware->ClearRequests();
    device->OutputFrame();
    ASSERT_GT(CountRequests(0x12), 0u);

    const VirtualKeyboardState after = memory->Snapshot();
    for (int key : kBoardKeys) {
        const size_t led = state.ledMap[PositionOf(state, key)];
        EXPECT_EQ(after.liveFrame[3 * led], (key * 255) >> 8) << key;
        EXPECT_EQ(after.liveFrame[3 * led + 1], ((200 - key) * 255) >> 8) << key;
        EXPECT_EQ(after.liveFrame[3 * led + 2], ((key + 7) * 255) >> 8) << key;
    }
    // Keys the board does not have (16, the number pad, ...) light nothing: only the 87 LEDs
    // of the board carry colour.
    for (size_t led = 87; led < 128; ++led) {
        EXPECT_EQ(after.liveFrame[3 * led], 0);
        EXPECT_EQ(after.liveFrame[3 * led + 1], 0);
    }
}

TEST_F(KeyboardDeviceTest, KeyMissingFromTheKeyboardIsNeitherWrittenNorLit) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    const int wPos = PositionOf(state, 44);  // W
    const uint8_t wLed = state.ledMap[wPos];
    state.keyTable[3 * wPos] = 0x55;  // the keyboard's W carries an unknown code
    Attach(state);
    device->OnAttached();
    device->StopWorkerThreads();  // the lights below are set by hand
    EXPECT_EQ(device->KeyMap().Position(44), kNoKeyMapEntry);
    EXPECT_EQ(device->KeyMap().Led(44), kNoKeyMapEntry);

    device->SetLight(44, {255, 255, 255, 255});
    device->OutputFrame();
    const VirtualKeyboardState after = memory->Snapshot();
    EXPECT_EQ(after.liveFrame[3 * wLed], 0);

    auto keys = device->GetAssignments();
    ASSERT_GT(keys.size(), 44u);
    keys[44].current.code = {0x20, 0x00, 0x04};
    EXPECT_EQ(device->WriteKeyTable(0, keys), 1);
    const VirtualKeyboardState written = memory->Snapshot();
    EXPECT_EQ(written.keyTable[3 * wPos], 0x55);  // the keyboard's own code stays
}

TEST_F(KeyboardDeviceTest, KeyTableNumbersMacrosByFirstKeyAndRepairsDeletedOnes) {
    const VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    Attach(state);
    device->OnAttached();
    WriteMacros({2, 3, 1});
    auto keys = device->GetAssignments();
    ASSERT_GE(keys.size(), 126u);
    keys[64].current.code = {0x70, 2, 1};  // A: macro 2
    keys[22].current.code = {0x71, 2, 5};  // 1: macro 2 as well
    keys[65].current.code = {0x70, 0, 0};  // S: macro 0
    keys[66].current.code = {0x70, 5, 0};  // D: macro 5, which does not exist
    device->SetAssignments(keys);

    EXPECT_EQ(device->CollectAssignedMacros(), (std::vector<int>{2, 0}));
    EXPECT_EQ(device->WriteCurrentKeyTable(0), 1);
    const VirtualKeyboardState after = memory->Snapshot();
    auto at = [&](int key) {
        const size_t p = 3 * static_cast<size_t>(PositionOf(state, key));
        return KeyCodeBytes{after.keyTable[p], after.keyTable[p + 1], after.keyTable[p + 2]};
    };
    EXPECT_EQ(at(22), (KeyCodeBytes{0x71, 0, 5}));
    EXPECT_EQ(at(64), (KeyCodeBytes{0x70, 0, 1}));
    EXPECT_EQ(at(65), (KeyCodeBytes{0x70, 1, 0}));
    EXPECT_EQ(at(66), KeyboardDefaultCode(66));
    // Writing leaves the stored list alone; repairing restores the default there.
    EXPECT_EQ(device->GetAssignments()[66].current.code.param1, 5);
    device->RepairMacroAssignments();
    const auto repaired = device->GetAssignments();
    EXPECT_EQ(repaired[66].current.code.type, KeyboardDefaultCode(66).type);
    EXPECT_EQ(repaired[66].current.code.param2, KeyboardDefaultCode(66).p2);
    EXPECT_EQ(repaired[64].current.code.type, 0x70);
    EXPECT_EQ(device->ProfileData().GetKeyList()[66].current.code.param2,
              KeyboardDefaultCode(66).p2);
}

TEST_F(KeyboardDeviceTest, MacrosTooLargeForTheKeyboardAreNotSent) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.info[VirtualKeyboardState::kMacroUnitsByte] = 1;  // 128 bytes
    Attach(state);
    device->OnAttached();
    WriteMacros({10, 20});
    firmware->ClearRequests();
    EXPECT_EQ(device->WriteMacros({0, 1}), 6);
    EXPECT_EQ(CountRequests(0x15), 0u);
    EXPECT_EQ(device->WriteMacros({}), 0);
    // One macro of 10 events (62 bytes) fits and is sent as the image.
    EXPECT_EQ(device->WriteMacros({0}), 0);
    EXPECT_GT(CountRequests(0x15), 0u);
    const VirtualKeyboardState after = memory->Snapshot();
    EXPECT_EQ(after.macroMemory[0], 0xAA);
    EXPECT_EQ(after.macroMemory[1], 0x55);
    EXPECT_EQ(after.macroMemory[2], 62);
}

TEST_F(KeyboardDeviceTest, ReadLightRecordOfOnBoardProfileTwoReadsAddressFifty) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.lightMemory[0] = 2;
    uint8_t* r = state.Record(2);
    r[0] = 2;
    r[1] = 6;
    r[2] = 3;
    r[3] = 1;
    r[6] = 0x11;
    r[20] = 1;
    r[21] = 1;
    Attach(state);
    device->ReloadNameLists();
    firmware->ClearRequests();
    EXPECT_EQ(device->ReadLightRecord(), 2);
    bool sawFifty = false;
    for (const auto& req : firmware->Requests()) {
        if (req.report[3] == 0x05 && req.report[4] == 26) {
            sawFifty = req.report[5] == 50 && req.report[6] == 0;
        }
    }
    EXPECT_TRUE(sawFifty);
    const KeyboardLightCopy copy = device->LightCopy();
    EXPECT_EQ(copy.mode, 6);
    EXPECT_EQ(copy.brightness, 3);
    EXPECT_EQ(copy.speed, 3);
    EXPECT_EQ(copy.red, 0x11);
    EXPECT_EQ(system_stage::Key6Flag(device->SystemSettings()), 1);
    EXPECT_EQ(system_stage::WinFlag(device->SystemSettings()), 1);
    EXPECT_EQ(device->ProfileData().GetLightInfo().mode, 6);
}

TEST_F(KeyboardDeviceTest, ListenerCodesSwitchTheOnBoardProfile) {
    Attach();
    device->HandleSyncCode(0x1123);
    EXPECT_EQ(device->DeviceProfileNumber(), 3);
    EXPECT_EQ(device->LightRecordBlock()[light_record::kProfileNibble], 2);
    device->HandleSyncCode(0x1005);
    EXPECT_EQ(device->DeviceProfileNumber(), 5);
    EXPECT_EQ(device->LightRecordBlock()[light_record::kProfileNibble], 2);
    device->HandleSyncCode(0x0402);
    EXPECT_EQ(device->DeviceProfileNumber(), 5);

    // From a listener thread the page refresh is left to the UI thread.
    std::thread listener([&] { device->HandleSyncCode(0x1007); });
    listener.join();
    EXPECT_EQ(device->DeviceProfileNumber(), 7);
    QCoreApplication::processEvents();

    device->Link().SetOpen(false);
    device->HandleSyncCode(0x1001);
    EXPECT_EQ(device->DeviceProfileNumber(), 7);
}

TEST_F(KeyboardDeviceTest, BadKeyCountsAndLedIndexesAreHandledSafely) {
    // A key count whose table exceeds 512 bytes: the maps are not built from it.
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.info[VirtualKeyboardState::kKeyCountByte] = 200;
    Attach(state);
    device->OnAttached();
    device->StopWorkerThreads();  // the lights below are set by hand
    EXPECT_EQ(device->KeyMap().Position(0), kNoKeyMapEntry);
    device->SetLight(0, {255, 255, 255, 255});
    device->OutputFrame();
    EXPECT_EQ(device->WriteKeyTable(0, device->GetAssignments()), 0);
    EXPECT_EQ(CountRequests(0x09), 0u);
}

TEST_F(KeyboardDeviceTest, LedIndexesBeyondTheFrameAreSkipped) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    const int escPos = PositionOf(state, 0);
    state.ledMap[escPos] = 250;
    state.ledMap[PositionOf(state, 1)] = 128;
    Attach(state);
    device->OnAttached();
    device->StopWorkerThreads();  // the lights below are set by hand
    EXPECT_EQ(device->KeyMap().Led(0), 250);
    for (int key = 0; key < kKeyboardKeyNumbers; ++key) {
        device->SetLight(key, {9, 9, 9, 255});
    }
    device->OutputFrame();
    const VirtualKeyboardState after = memory->Snapshot();
    EXPECT_EQ(after.liveFrame[3 * state.ledMap[PositionOf(state, 2)]], 8);
}

TEST_F(KeyboardDeviceTest, KeyCountChangedSinceReadingIsBoundedOnWrite) {
    Attach();
    device->OnAttached();
    memory->Edit(
        [](VirtualKeyboardState& s) { s.info[VirtualKeyboardState::kKeyCountByte] = 171; });
    firmware->ClearRequests();
    EXPECT_EQ(device->WriteKeyTable(0, device->GetAssignments()), 0);
    EXPECT_EQ(CountRequests(0x09), 0u);
}

TEST_F(KeyboardDeviceTest, ClosedLinkSendsNothing) {
    Attach();
    device->Link().SetOpen(false);
    firmware->ClearRequests();
    device->OnAttached();
    EXPECT_EQ(device->WriteKeyTable(0, {}), 0);
    device->OutputFrame();
    EXPECT_EQ(firmware->RequestCount(), 0u);
}

}  // namespace
}  // namespace ravo
