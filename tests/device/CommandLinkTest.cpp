// ctest-labels: asan
// The command transport against the virtual keyboard: report framing, answer matching,
// off-line receivers, closed links and the report dump.
#include "device/CommandLink.h"

#include "tests/device/VirtualKeyboardLink.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace ravo {
namespace {

using test::VirtualKeyboardLink;
using Link = virt::VirtualKeyboard::Link;

std::array<uint8_t, 64> Request(uint8_t code, uint8_t length = 0, uint16_t offset = 0) {
    std::array<uint8_t, 64> r{};
    r[0] = 4;
    r[3] = code;
    r[4] = length;
    r[5] = static_cast<uint8_t>(offset & 0xFF);
    r[6] = static_cast<uint8_t>(offset >> 8);
    CommandLink::SetChecksum(r.data());
    return r;
}

TEST(CommandLinkTest, StartsClosedOnTheCableWithReceiverChunks) {
    CommandLink link;
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.IsReceiverMode());
    EXPECT_FALSE(link.IsBusy());
    EXPECT_FALSE(link.LightingSync());
    EXPECT_EQ(link.ChunkSize(), 24);
    EXPECT_EQ(link.BlockSize(), 512);
}

TEST(CommandLinkTest, ModeSelectsLinkAndChunkSize) {
    struct Case {
        int mode;
        bool receiver;
        uint8_t chunk;
    };
    for (const Case& c :
         {Case{1, false, 56}, Case{2, true, 24}, Case{0, false, 56}, Case{7, false, 56}}) {
        CommandLink link;
        link.SetLinkMode(c.mode);
        EXPECT_EQ(link.IsReceiverMode(), c.receiver) << c.mode;
        EXPECT_EQ(link.ChunkSize(), c.chunk) << c.mode;
    }
}

TEST(CommandLinkTest, BlockSizeNeverExceeds512) {
    CommandLink link;
    EXPECT_FALSE(link.SetBlockSize(513));
    EXPECT_EQ(link.BlockSize(), 512);
    EXPECT_TRUE(link.SetBlockSize(510));
    EXPECT_EQ(link.BlockSize(), 510);
    EXPECT_TRUE(link.SetBlockSize(512));
    EXPECT_FALSE(link.SetBlockSize(171 * 3));
    EXPECT_EQ(link.BlockSize(), 512);
}

TEST(CommandLinkTest, ChecksumOfBeginSettingsIs0001) {
    std::array<uint8_t, 64> r{};
    r[0] = 4;
    r[3] = 0x01;
    CommandLink::SetChecksum(r.data());
    EXPECT_EQ(r[0], 0x04);
    EXPECT_EQ(r[1], 0x01);
    EXPECT_EQ(r[2], 0x00);
    EXPECT_EQ(r[3], 0x01);
    // Bytes 0-2 are not summed; the high byte carries past 255.
    std::array<uint8_t, 64> full{};
    full.fill(0xFF);
    EXPECT_EQ(CommandLink::Checksum(full.data()), 61 * 255);
}

TEST(CommandLinkTest, ShortRequestGoesOutPaddedTo64Bytes) {
    VirtualKeyboardLink kb;
    ASSERT_TRUE(kb.opened);
    const uint8_t request[] = {4, 1, 0, 1};
    std::array<uint8_t, 64> answer{};
    uint32_t got = 0;
    EXPECT_EQ(kb.link.Exchange(request, sizeof(request), answer.data(), answer.size(), &got), 1);
    EXPECT_EQ(got, 64u);
    const auto requests = kb.firmware->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].length, 64u);
    EXPECT_EQ(requests[0].report[3], 0x01);
    for (size_t i = 4; i < 64; ++i)
        EXPECT_EQ(requests[0].report[i], 0) << i;
    EXPECT_EQ(requests[0].status, 0x00);  // the keyboard found the checksum right
    EXPECT_EQ(answer[3], 0x01);
}

TEST(CommandLinkTest, ClosedLinkSendsNothing) {
    VirtualKeyboardLink kb;
    kb.link.SetOpen(false);
    const auto request = Request(0x01);
    std::array<uint8_t, 64> answer{};
    EXPECT_EQ(kb.link.Exchange(request.data(), 64, answer.data(), 64, nullptr), 0);
    EXPECT_EQ(kb.link.ExchangeOnce(request.data(), 64, answer.data(), 64, nullptr), 0);
    EXPECT_EQ(kb.firmware->RequestCount(), 0u);
}

TEST(CommandLinkTest, StaleAnswerBeforeTheRightOneIsSkipped) {
    VirtualKeyboardLink kb;
    kb.firmware->StaleAnswersBeforeNext(1);
    const auto request = Request(0x05, 4, 25);
    std::array<uint8_t, 64> answer{};
    EXPECT_EQ(kb.link.Exchange(request.data(), 64, answer.data(), 64, nullptr), 1);
    EXPECT_EQ(answer[3], 0x05);
    EXPECT_EQ(answer[5], 25);
}

TEST(CommandLinkTest, TwoStaleAnswersLeaveTheSecondInTheBuffer) {
    VirtualKeyboardLink kb;
    const auto earlier = Request(0x01);
    EXPECT_EQ(kb.link.Exchange(earlier.data(), 64, nullptr, 64, nullptr), 1);
    kb.firmware->StaleAnswersBeforeNext(2);
    const auto request = Request(0x03, 34);
    std::array<uint8_t, 64> answer{};
    EXPECT_EQ(kb.link.Exchange(request.data(), 64, answer.data(), 64, nullptr), 1);
    EXPECT_NE(answer[3], 0x03);
    // The right answer is still waiting and is taken as stale by the next exchange.
    const auto next = Request(0x01);
    EXPECT_EQ(kb.link.Exchange(next.data(), 64, answer.data(), 64, nullptr), 1);
    EXPECT_EQ(answer[3], 0x01);
}

TEST(CommandLinkTest, OffLineReceiverGivesMinus101ButNotToItsOwnQuery) {
    VirtualKeyboardLink kb(Link::Receiver);
    ASSERT_TRUE(kb.opened);
    kb.firmware->SetOnline(false);
    std::array<uint8_t, 64> answer{};
    const auto read = Request(0x05, 1, 0);
    EXPECT_EQ(kb.link.Exchange(read.data(), 64, answer.data(), 64, nullptr), -101);
    const auto query = Request(0xAA);
    EXPECT_EQ(kb.link.Exchange(query.data(), 64, answer.data(), 64, nullptr), 1);
    EXPECT_EQ(answer[3], 0xAA);
}

TEST(CommandLinkTest, NoAnswerGivesZeroAfterTwoReadsOfTheCableTimeout) {
    VirtualKeyboardLink kb;
    kb.firmware->DropAnswers(1);
    const auto request = Request(0x01);
    std::array<uint8_t, 64> answer{};
    uint32_t got = 99;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(kb.link.Exchange(request.data(), 64, answer.data(), 64, &got), 0);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(got, 0u);
    EXPECT_GE(elapsed, std::chrono::milliseconds(1900));
    EXPECT_LT(elapsed, std::chrono::milliseconds(6000));
}

TEST(CommandLinkTest, WriteFailureGivesMinusOne) {
    VirtualKeyboardLink kb;
    kb.firmware->VanishAtChunk(0x06, 0, {});
    const auto request = Request(0x06, 1, 0);
    std::array<uint8_t, 64> answer{};
    EXPECT_EQ(kb.link.Exchange(request.data(), 64, answer.data(), 64, nullptr), -1);
    EXPECT_EQ(kb.link.ExchangeOnce(request.data(), 64, answer.data(), 64, nullptr), -1);
    EXPECT_FALSE(kb.link.IsBusy());
}

TEST(CommandLinkTest, UnpluggedDeviceFailsTheExchange) {
    VirtualKeyboardLink kb;
    kb.bus->Unplug(kb.device);
    const auto request = Request(0x01);
    std::array<uint8_t, 64> answer{};
    EXPECT_LT(kb.link.Exchange(request.data(), 64, answer.data(), 64, nullptr), 1);
}

TEST(CommandLinkTest, ShortExchangeTakesOneAnswerWithoutMatching) {
    VirtualKeyboardLink kb;
    kb.firmware->StaleAnswersBeforeNext(1);
    const auto request = Request(0x12, 3, 0);
    std::array<uint8_t, 64> answer{};
    EXPECT_EQ(kb.link.ExchangeOnce(request.data(), 64, answer.data(), 64, nullptr), 1);
    EXPECT_NE(answer[3], 0x12);
}

// Collects what the report category prints.
struct DumpCapture {
    static inline std::vector<std::string>* lines = nullptr;
    static void Handler(QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (lines != nullptr && context.category != nullptr &&
            std::string(context.category) == "ravo.device.reports")
            lines->push_back(text.toStdString());
    }
};

TEST(CommandLinkTest, ReportDumpIsSilentUntilEnabled) {
    VirtualKeyboardLink kb;
    std::vector<std::string> lines;
    DumpCapture::lines = &lines;
    const QtMessageHandler previous = qInstallMessageHandler(&DumpCapture::Handler);
    const auto request = Request(0x01);
    kb.link.Exchange(request.data(), 64, nullptr, 64, nullptr);
    EXPECT_TRUE(lines.empty());

    QLoggingCategory::setFilterRules(QStringLiteral("ravo.device.reports.debug=true"));
    kb.link.Exchange(request.data(), 64, nullptr, 64, nullptr);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);
    DumpCapture::lines = nullptr;

    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "命令");
    EXPECT_EQ(lines[1],
              "04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  "
              "00 00 00 00  00 00 00 00");
    EXPECT_EQ(lines[3], "返回");
}

}  // namespace
}  // namespace ravo
