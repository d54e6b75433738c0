// ctest-labels: threads
#include "devices/StopEvent.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

namespace ravo {
namespace {

TEST(StopEvent, ManualResetAndWake) {
    StopEvent event;
    EXPECT_FALSE(event.WaitFor(1ms));
    event.Set();
    EXPECT_TRUE(event.WaitFor(0ms));
    EXPECT_TRUE(event.WaitFor(10s));  // stays set: no wait at all
    event.Reset();
    EXPECT_FALSE(event.IsSet());

    // A wake that comes before the wait is not lost, and it does not set the event.
    event.Wake();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(event.WaitFor(10s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_FALSE(event.WaitFor(1ms));  // consumed
}

TEST(StopEvent, SetFromAnotherThreadEndsTheWait) {
    StopEvent event;
    std::thread setter([&] {
        std::this_thread::sleep_for(20ms);
        event.Set();
    });
    EXPECT_TRUE(event.WaitFor(10s));
    setter.join();
}

}  // namespace
}  // namespace ravo
