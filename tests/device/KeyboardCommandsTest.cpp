// ctest-labels: asan
// The keyboard command set and its sequences against the virtual keyboard: chunking by link,
// result codes, and keyboards that report values the program must not trust.
#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"

#include "tests/device/VirtualKeyboardLink.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace ravo {
namespace {

using test::VirtualKeyboardLink;
using Link = virt::VirtualKeyboard::Link;
using virt::VirtualKeyboardState;

struct Sent {
    uint8_t code;
    uint8_t length;
    uint16_t offset;
    friend bool operator==(const Sent&, const Sent&) = default;
};

std::ostream& operator<<(std::ostream& os, const Sent& s) {
    return os << "{0x" << std::hex << int(s.code) << std::dec << ", " << int(s.length) << ", "
              << s.offset << "}";
}

std::vector<Sent> SentBy(const virt::VirtualKeyboard& firmware) {
    std::vector<Sent> sent;
    for (const auto& r : firmware.Requests())
        sent.push_back(
            {r.report[3], r.report[4], static_cast<uint16_t>(r.report[5] | r.report[6] << 8)});
    return sent;
}

TEST(KeyboardCommandsTest, DeviceInfoTakesOneExchangeByCableAndTwoThroughTheReceiver) {
    struct Case {
        Link link;
        std::vector<Sent> sent;
    };
    for (const Case& c : {Case{Link::Cable, {{0x03, 34, 0}}},
                          Case{Link::Receiver, {{0x03, 24, 0}, {0x03, 10, 24}}}}) {
        VirtualKeyboardLink kb(c.link);
        std::array<uint8_t, 34> info{};
        EXPECT_EQ(ReadDeviceInfo(kb.link, info), 1);
        EXPECT_EQ(SentBy(*kb.firmware), c.sent);
        EXPECT_EQ(info[5], 126);
        EXPECT_EQ(info[6], 32);
        EXPECT_EQ(info, kb.State().info);
    }
}

TEST(KeyboardCommandsTest, ChunksOfAReadLandAtTheirOffsets) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    for (size_t i = 0; i < state.lightMemory.size(); ++i)
        state.lightMemory[i] = static_cast<uint8_t>(i * 7);
    VirtualKeyboardLink kb(Link::Receiver, state);
    std::array<uint8_t, 26> record{};
    EXPECT_EQ(ReadMemory(kb.link, record, 50), 1);
    EXPECT_EQ(SentBy(*kb.firmware), (std::vector<Sent>{{0x05, 24, 50}, {0x05, 2, 74}}));
    for (size_t i = 0; i < record.size(); ++i)
        EXPECT_EQ(record[i], static_cast<uint8_t>((50 + i) * 7)) << i;
}

TEST(KeyboardCommandsTest, StatusBytesBecomeResultCodes) {
    struct Case {
        uint8_t status;
        int32_t result;
    };
    for (const Case& c : {Case{0xFF, -102}, Case{0xFE, -103}, Case{0x00, 1}, Case{0x05, 1}}) {
        VirtualKeyboardLink kb;
        kb.firmware->FailChunk(0x01, 0, c.status);
        EXPECT_EQ(BeginSettings(kb.link), c.result) << int(c.status);
    }
}

TEST(KeyboardCommandsTest, AnswerToAnotherCommandIsNotTakenForThisOne) {
    VirtualKeyboardLink kb;
    EXPECT_EQ(BeginSettings(kb.link), 1);
    kb.firmware->StaleAnswersBeforeNext(2);
    std::array<uint8_t, 34> info{};
    info.fill(0xEE);
    EXPECT_EQ(ReadDeviceInfo(kb.link, info), 0);
    EXPECT_EQ(info[5], 0xEE);  // nothing of the stale answer was copied
}

TEST(KeyboardCommandsTest, KeyTablePageOtherThanZeroIsRefusedBeforeSending) {
    VirtualKeyboardLink kb;
    std::array<uint8_t, 512> table{};
    EXPECT_EQ(WriteKeyTablePage(kb.link, table, 1), -201);
    EXPECT_EQ(kb.firmware->RequestCount(), 0u);
}

TEST(KeyboardCommandsTest, QueryOnlineByCableSendsNothing) {
    VirtualKeyboardLink kb;
    EXPECT_TRUE(QueryOnline(kb.link));
    EXPECT_EQ(kb.firmware->RequestCount(), 0u);
}

TEST(KeyboardCommandsTest, QueryOnlineThroughTheReceiverAsksTheKeyboard) {
    VirtualKeyboardLink kb(Link::Receiver);
    EXPECT_TRUE(QueryOnline(kb.link));
    EXPECT_TRUE(keyboard::IsReceiverOnline(kb.link));
    kb.firmware->SetOnline(false);
    EXPECT_FALSE(QueryOnline(kb.link));
    EXPECT_FALSE(keyboard::IsReceiverOnline(kb.link));
    std::array<uint8_t, 6> status{};
    EXPECT_EQ(keyboard::ReadPowerStatus(kb.link, status), -101);
    std::array<uint8_t, 1> active{};
    EXPECT_EQ(ReadMemory(kb.link, active, 0), -101);
}

TEST(KeyboardCommandsTest, ReadEverythingReadsTheTablesOfTheKeyCount) {
    VirtualKeyboardLink kb(Link::Receiver);
    std::array<uint8_t, 34> info{};
    std::array<uint8_t, 512> table{};
    std::array<uint8_t, 512> index{};
    table.fill(0xEE);
    EXPECT_EQ(keyboard::ReadEverything(kb.link, info, table, index), 1);
    EXPECT_EQ(kb.link.BlockSize(), 126 * 3);
    const auto s = kb.State();
    EXPECT_TRUE(std::equal(table.begin(), table.begin() + 378, s.keyTable.begin()));
    EXPECT_TRUE(std::all_of(table.begin() + 378, table.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(std::equal(index.begin(), index.begin() + 126, s.ledMap.begin()));
    const auto sent = SentBy(*kb.firmware);
    EXPECT_EQ(sent.front().code, 0x01);
    EXPECT_EQ(sent.back().code, 0x02);
}

TEST(KeyboardCommandsTest, KeyCountOf171StopsAfterTheInformationWithoutEnd) {
    for (uint8_t keyCount : {uint8_t{171}, uint8_t{255}}) {
        VirtualKeyboardState state = VirtualKeyboardState::Defaults();
        state.info[5] = keyCount;
        VirtualKeyboardLink kb(Link::Cable, state);
        std::array<uint8_t, 34> info{};
        std::array<uint8_t, 512> table{};
        std::array<uint8_t, 512> index{};
        EXPECT_EQ(keyboard::ReadEverything(kb.link, info, table, index), keyboard::kBadDeviceData);
        EXPECT_EQ(SentBy(*kb.firmware), (std::vector<Sent>{{0x01, 0, 0}, {0x03, 34, 0}}));
        EXPECT_EQ(kb.link.BlockSize(), 512);

        kb.firmware->ClearRequests();
        EXPECT_EQ(keyboard::WriteKeyTable(kb.link, table), keyboard::kBadDeviceData);
        EXPECT_EQ(SentBy(*kb.firmware), (std::vector<Sent>{{0x03, 34, 0}}));
    }
    // 170 keys still fit: 510 bytes.
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.info[5] = 170;
    VirtualKeyboardLink kb(Link::Cable, state);
    std::array<uint8_t, 34> info{};
    std::array<uint8_t, 512> table{};
    std::array<uint8_t, 512> index{};
    EXPECT_EQ(keyboard::ReadEverything(kb.link, info, table, index), 1);
    EXPECT_EQ(kb.link.BlockSize(), 510);
}

TEST(KeyboardCommandsTest, WriteKeyTableWritesKeyCountTimesThreeBytesOfPageZero) {
    VirtualKeyboardLink kb;
    std::array<uint8_t, 512> image{};
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<uint8_t>(i);
    EXPECT_EQ(keyboard::WriteKeyTable(kb.link, image), 1);
    const auto s = kb.State();
    EXPECT_TRUE(std::equal(s.keyTable.begin(), s.keyTable.begin() + 378, image.begin()));
    EXPECT_TRUE(std::equal(s.keyTable.begin() + 378, s.keyTable.end(),
                           VirtualKeyboardState::Defaults().keyTable.begin() + 378));
    const auto sent = SentBy(*kb.firmware);
    // Information, begin, 7 chunks (6 x 56 + 42), end.
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[8], (Sent{0x09, 42, 336}));
}

TEST(KeyboardCommandsTest, MacroImageOfExactlyTheMemoryIsSentAndOneByteMoreIsNot) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.info[6] = 1;  // 128 bytes
    {
        VirtualKeyboardLink kb(Link::Cable, state);
        std::vector<uint8_t> image(128, 0x5A);
        EXPECT_EQ(keyboard::WriteMacros(kb.link, image), 0);
        const auto s = kb.State();
        EXPECT_TRUE(std::all_of(s.macroMemory.begin(), s.macroMemory.begin() + 128,
                                [](uint8_t b) { return b == 0x5A; }));
    }
    {
        VirtualKeyboardLink kb(Link::Cable, state);
        std::vector<uint8_t> image(129, 0x5A);
        EXPECT_EQ(keyboard::WriteMacros(kb.link, image), 1);
        EXPECT_EQ(SentBy(*kb.firmware), (std::vector<Sent>{{0x03, 34, 0}}));
        // 148 bytes against 128: (148 - 128) / 4 + 1.
        image.resize(148);
        EXPECT_EQ(keyboard::WriteMacros(kb.link, image), 6);
    }
}

TEST(KeyboardCommandsTest, FailureOnTheSecondMacroChunkEndsAfterTheFirstWasWritten) {
    VirtualKeyboardLink kb;
    kb.firmware->FailChunk(0x15, 1, 0xFE);
    std::vector<uint8_t> image(200, 0x77);
    EXPECT_EQ(WriteMacroImage(kb.link, image), -103);
    std::vector<Sent> sent = SentBy(*kb.firmware);
    EXPECT_EQ(sent, (std::vector<Sent>{{0x15, 56, 0}, {0x15, 56, 56}}));
    const auto s = kb.State();
    EXPECT_EQ(s.macroMemory[55], 0x77);
    EXPECT_EQ(s.macroMemory[56], 0x00);

    kb.firmware->ClearRequests();
    kb.firmware->FailChunk(0x15, 1, 0xFE);
    EXPECT_EQ(keyboard::WriteMacros(kb.link, image), -103);
    sent = SentBy(*kb.firmware);
    EXPECT_EQ(sent.back().code, 0x02);  // the begun sequence is still closed
}

TEST(KeyboardCommandsTest, LightRecordSequencesUseTheActiveRecord) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    state.lightMemory[0] = 2;
    state.Record(2)[1] = 0x09;
    VirtualKeyboardLink kb(Link::Cable, state);
    std::array<uint8_t, 26> record{};
    uint8_t number = 99;
    EXPECT_EQ(keyboard::ReadLightRecord(kb.link, record, &number), 1);
    EXPECT_EQ(number, 2);
    EXPECT_EQ(record[1], 0x09);
    EXPECT_EQ(SentBy(*kb.firmware), (std::vector<Sent>{{0x05, 1, 0}, {0x05, 26, 50}}));

    kb.firmware->ClearRequests();
    record[0] = 0;
    record[1] = 0x04;
    record[2] = 3;
    EXPECT_EQ(keyboard::WriteLightRecord(kb.link, record, 0), 1);
    EXPECT_EQ(SentBy(*kb.firmware), (std::vector<Sent>{{0x01, 0, 0}, {0x06, 26, 0}, {0x02, 0, 0}}));
    const auto s = kb.State();
    EXPECT_EQ(s.ActiveRecord(), 0);  // record 0's first byte is the active number
    EXPECT_EQ(s.lightMemory[1], 0x04);
    EXPECT_EQ(s.lightMemory[2], 3);
    EXPECT_EQ(keyboard::WriteLightRecord(kb.link, record, 16), 0);
}

TEST(KeyboardCommandsTest, RecordNumberPastTheLastRecordIsNotFollowed) {
    for (uint8_t active : {uint8_t{16}, uint8_t{200}, uint8_t{255}}) {
        VirtualKeyboardState state = VirtualKeyboardState::Defaults();
        state.lightMemory[0] = active;
        VirtualKeyboardLink kb(Link::Cable, state);
        std::array<uint8_t, 26> record{};
        uint8_t number = 99;
        EXPECT_EQ(keyboard::ReadLightRecord(kb.link, record, &number), 1);
        EXPECT_EQ(number, 0);
        EXPECT_EQ(SentBy(*kb.firmware).back(), (Sent{0x05, 26, 0}));
    }
}

TEST(KeyboardCommandsTest, StatusReadIsBoundedByTheAnswer) {
    VirtualKeyboardLink kb;
    std::array<uint8_t, 6> status{};
    EXPECT_EQ(keyboard::ReadPowerStatus(kb.link, status), 1);
    EXPECT_EQ(status[0], 80);
    EXPECT_EQ(status[3], 0);

    // A length past what one answer carries reads no further than the answer.
    std::vector<uint8_t> big(200, 0xEE);
    kb.firmware->FailChunk(0x1A, 0, 0x00);  // answered without carrying it out
    EXPECT_EQ(ReadStatus(kb.link, big, 200, 0), 1);
    EXPECT_TRUE(std::all_of(big.begin() + 56, big.end(), [](uint8_t b) { return b == 0; }));
    std::array<uint8_t, 4> small{};
    EXPECT_EQ(ReadStatus(kb.link, small, 6, 0), 0);  // refused: the buffer is too small
}

TEST(KeyboardCommandsTest, ReceiverPowerStatusSaysReceiver) {
    VirtualKeyboardLink kb(Link::Receiver);
    std::array<uint8_t, 6> status{};
    EXPECT_EQ(keyboard::ReadPowerStatus(kb.link, status), 1);
    EXPECT_EQ(status[1], 2);  // on battery
    EXPECT_EQ(status[3], 1);
}

TEST(KeyboardCommandsTest, LiveFrameGoesByCableOnlyAndGivesWayToCommands) {
    std::array<uint8_t, 384> frame{};
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint8_t>(i);
    {
        VirtualKeyboardLink kb;
        EXPECT_EQ(keyboard::SendLiveFrame(kb.link, frame), 1);
        EXPECT_EQ(kb.firmware->RequestCount(), 7u);  // 6 x 56 + 48
        EXPECT_EQ(kb.State().liveFrame, frame);
    }
    {
        VirtualKeyboardLink kb(Link::Receiver);
        EXPECT_EQ(StreamLighting(kb.link, frame), 1);
        EXPECT_EQ(kb.firmware->RequestCount(), 0u);
    }
}

TEST(KeyboardCommandsTest, ColourPageLandsAtItsGroup) {
    VirtualKeyboardLink kb;
    std::vector<uint8_t> page(126 * 3, 0x42);
    EXPECT_EQ(keyboard::WriteCustomColours(kb.link, page, 2), 1);
    const auto s = kb.State();
    EXPECT_EQ(s.colourPages[1024], 0x42);
    EXPECT_EQ(s.colourPages[1024 + 377], 0x42);
    EXPECT_EQ(s.colourPages[1024 + 378], 0);
    EXPECT_EQ(SentBy(*kb.firmware).front(), (Sent{0x0B, 56, 1024}));
    // A group whose page lies past the 16-bit offsets is not sent.
    kb.firmware->ClearRequests();
    EXPECT_EQ(keyboard::WriteCustomColours(kb.link, page, 200), 0);
    EXPECT_EQ(kb.firmware->RequestCount(), 0u);
}

TEST(KeyboardCommandsTest, SmallCommands) {
    VirtualKeyboardLink kb;
    EXPECT_EQ(keyboard::TakeLightingBack(kb.link), 1);
    EXPECT_EQ(kb.firmware->ResumeCount(), 1);
    EXPECT_EQ(EndSettings(kb.link, 1), 1);
    // The keyboard does not take the mouse's 56-byte block.
    std::vector<uint8_t> block(60, 1);
    EXPECT_EQ(WriteBlock56(kb.link, block), -102);
}

TEST(KeyboardCommandsTest, KeyboardThatVanishesMidCommandFailsIt) {
    VirtualKeyboardLink kb;
    kb.firmware->VanishAtChunk(0x15, 2, [&] { kb.bus->Unplug(kb.device); });
    std::vector<uint8_t> image(300, 1);
    EXPECT_EQ(WriteMacroImage(kb.link, image), -1);
    EXPECT_EQ(kb.firmware->RequestCount(), 3u);
    EXPECT_LT(BeginSettings(kb.link), 1);
}

TEST(KeyboardCommandsTest, BufferTooSmallIsRefusedBeforeSending) {
    VirtualKeyboardLink kb;
    std::array<uint8_t, 10> small{};
    EXPECT_EQ(ReadDeviceInfo(kb.link, small), 0);
    EXPECT_EQ(ReadKeyTable(kb.link, small), 0);
    EXPECT_EQ(ReadMemory(kb.link, std::span<uint8_t>(small), 0xFFFF), 0);
    EXPECT_EQ(kb.firmware->RequestCount(), 0u);
}

}  // namespace
}  // namespace ravo
