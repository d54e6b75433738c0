// ctest-labels: threads
// Several threads on one link at once, the live lighting stream among them: every command
// must get its own answer, never another's.
#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"

#include "tests/device/VirtualKeyboardLink.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace ravo {
namespace {

using test::VirtualKeyboardLink;
using Link = virt::VirtualKeyboard::Link;
using virt::VirtualKeyboardState;

constexpr int kRounds = 60;

uint8_t Pattern(size_t address) {
    return static_cast<uint8_t>(address * 13 + 5);
}

TEST(CommandLinkThreadsTest, StreamAndOrdinaryCommandsNeverCrossAnswers) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    for (size_t i = 0; i < state.lightMemory.size(); ++i)
        state.lightMemory[i] = Pattern(i);
    VirtualKeyboardLink kb(Link::Cable, state);
    ASSERT_TRUE(kb.opened);

    std::atomic<int> wrongData{0};
    std::atomic<int> failures{0};
    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};

    std::vector<std::thread> threads;
    // Readers of distinct ranges of the record memory: data from anyone else's answer shows.
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                const uint32_t base = static_cast<uint32_t>((t * 97 + round * 31) % 300) + 26;
                std::array<uint8_t, 70> buffer{};
                const int32_t r = ReadMemory(kb.link, buffer, base);
                if (r != 1) {
                    ++failures;
                    continue;
                }
                for (size_t i = 0; i < buffer.size(); ++i) {
                    if (buffer[i] != Pattern(base + i)) {
                        ++wrongData;
                        break;
                    }
                }
            }
        });
    }
    // Device information and key table reads alongside.
    threads.emplace_back([&] {
        const auto expected = kb.State();
        for (int round = 0; round < kRounds / 2; ++round) {
            std::array<uint8_t, 34> info{};
            if (ReadDeviceInfo(kb.link, info) != 1)
                ++failures;
            else if (info != expected.info)
                ++wrongData;
            std::array<uint8_t, 512> table{};
            if (ReadKeyTable(kb.link, table) != 1)
                ++failures;
            else if (!std::equal(table.begin(), table.end(), expected.keyTable.begin()))
                ++wrongData;
        }
    });
    // The live lighting stream, dropping frames while commands are in flight.
    std::thread stream([&] {
        std::array<uint8_t, 384> frame{};
        uint8_t shade = 0;
        while (!stop.load()) {
            frame.fill(shade++);
            if (keyboard::SendLiveFrame(kb.link, frame) != 1)
                ++failures;
            ++frames;
        }
    });
    // Colour pages through the stream lock as well.
    threads.emplace_back([&] {
        std::vector<uint8_t> page(378, 0x33);
        for (int round = 0; round < kRounds / 3; ++round) {
            if (keyboard::WriteCustomColours(kb.link, page, round % 4) != 1)
                ++failures;
        }
    });

    for (auto& thread : threads)
        thread.join();
    stop.store(true);
    stream.join();

    EXPECT_EQ(wrongData.load(), 0);
    EXPECT_EQ(failures.load(), 0);
    EXPECT_GT(frames.load(), 0);
    EXPECT_FALSE(kb.link.IsBusy());
    size_t streamed = 0;
    size_t ordinary = 0;
    for (const auto& request : kb.firmware->Requests()) {
        EXPECT_EQ(request.status, 0) << int(request.report[3]);
        (request.report[3] == 0x12 ? streamed : ordinary)++;
    }
    EXPECT_GT(streamed, 0u);
    EXPECT_GT(ordinary, 0u);
    std::printf("%zu stream chunks and %zu command chunks\n", streamed, ordinary);
}

TEST(CommandLinkThreadsTest, ModeSwitchAndCloseWhileCommandsRun) {
    VirtualKeyboardLink kb(Link::Cable);
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        std::array<uint8_t, 26> record{};
        while (!stop.load())
            ReadMemory(kb.link, record, 0);
    });
    for (int i = 0; i < 20; ++i) {
        std::lock_guard<std::recursive_mutex> io(kb.link.IoLock());
        kb.link.SetLinkMode(i % 2 == 0 ? CommandLink::kModeReceiver : CommandLink::kModeCable);
        kb.link.SetBlockSize(300 + i);
    }
    {
        std::lock_guard<std::recursive_mutex> io(kb.link.IoLock());
        kb.link.SetOpen(false);
        kb.link.CableLink().Close();
    }
    stop.store(true);
    worker.join();
    std::array<uint8_t, 1> byte{};
    EXPECT_EQ(ReadMemory(kb.link, byte, 0), 0);
}

}  // namespace
}  // namespace ravo
