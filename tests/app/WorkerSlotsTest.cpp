// ctest-labels: threads
#include "app/ThreadWorker.h"
#include "app/WorkerSlots.h"

#include <gtest/gtest.h>

#include <atomic>

namespace ravo {
namespace {

using namespace std::chrono_literals;

TEST(WorkerSlots, StopAllEndsEveryWorkerWithinItsLimit) {
    WorkerSlots slots;
    std::atomic<int> passes{0};
    auto body = [&](StopEvent& stop) {
        while (!stop.WaitFor(100ms))
            ++passes;
    };
    ASSERT_TRUE(slots.Start(WorkerSlots::kWatcherSlot, std::make_unique<ThreadWorker>("w", body)));
    ASSERT_TRUE(
        slots.Start(WorkerSlots::kSyncLightingSlot, std::make_unique<ThreadWorker>("s", body)));
    EXPECT_FALSE(slots.Start(0, std::make_unique<ThreadWorker>("x", body)));  // taken
    EXPECT_FALSE(slots.Start(20, std::make_unique<ThreadWorker>("y", body)));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(slots.StopAll().empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1000ms);
    EXPECT_EQ(slots.At(0), nullptr);
}

TEST(WorkerSlots, ReportsAWorkerThatEndsLate) {
    WorkerSlots slots;
    StopEvent never;
    slots.Start(3, std::make_unique<ThreadWorker>("slow", [&](StopEvent& stop) {
                    stop.WaitFor(5s);
                    never.WaitFor(150ms);  // keeps running a little after the stop
                }));
    const auto late = slots.StopAll(50ms);
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0], "slow");
}

}  // namespace
}  // namespace ravo
