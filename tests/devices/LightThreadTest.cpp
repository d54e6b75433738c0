// ctest-labels: threads
#include "devices/LightThread.h"
#include "devices/effects/EffectTables.h"

#include "tests/devices/ThreadTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>

using namespace std::chrono_literals;

namespace ravo {
namespace {

using effects::EffectSettings;
using effects::LightBuffer;
using effects::SoftwareLighting;

class FakeLink : public LightThreadHost {
public:
    bool IsLinkOpen() const override {
        if (blockOnce.exchange(false)) {
            std::this_thread::sleep_for(1300ms);  // a host call that hangs past the limit
        }
        return open.load();
    }
    bool IsLightOutputSuspended() const override { return suspended.load(); }

    std::atomic<bool> open{true};
    std::atomic<bool> suspended{false};
    mutable std::atomic<bool> blockOnce{false};
};

class LightThreadFixture : public ::testing::Test {
protected:
    void UseMode(uint8_t mode, uint8_t speed) {
        EffectSettings s;
        s.mode = mode;
        s.speed = speed;
        s.brightness = 4;
        s.direction = 1;
        s.red = 200;
        lighting.SetSettings(s);
        lighting.SetLightCopy({mode, speed});
        lighting.StartMode(mode);
    }
    uint8_t Phase() const {
        return lighting.Read([](const effects::EffectEngine& e) { return e.State().phase; });
    }
    FakeLink link;
    SoftwareLighting lighting;
    LightThread thread{link, lighting};
};

TEST_F(LightThreadFixture, StepsAtTheSpeedLevelsPace) {
    struct Case {
        uint8_t speed;
        double stepsPerSecond;  // one step per interval x 2 ms
    };
    for (const Case& c : {Case{4, 500.0}, Case{0, 100.0}}) {
        SCOPED_TRACE(int(c.speed));
        UseMode(4, c.speed);
        const uint64_t stepsBefore = thread.Steps();
        const uint64_t wakeUpsBefore = thread.WakeUps();
        thread.Start();
        const auto start = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(400ms);
        const uint64_t steps = thread.Steps() - stepsBefore;
        const uint64_t wakeUps = thread.WakeUps() - wakeUpsBefore;
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_EQ(thread.Stop(), StopResult::Ended);
        // Never faster than the cadence; slower only as far as a loaded machine delays us
        // (the exact cadence is LightCadenceTest's).
        const double rate = steps / seconds;
        EXPECT_GT(rate, c.stepsPerSecond * 0.1);
        EXPECT_LT(rate, c.stepsPerSecond * 1.1);
        // One wake-up per step (plus a few for scheduling jitter), never 1 ms polls.
        EXPECT_LE(wakeUps, steps * 1.3 + 10);
    }
}

TEST_F(LightThreadFixture, StillModeSleepsUntilSomethingChanges) {
    UseMode(6, 4);
    thread.Start();
    LightBuffer frame;
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            lighting.CopyFrame(frame);
            return frame[0].c0 == 200;
        },
        1000ms));
    const uint64_t before = thread.WakeUps();
    std::this_thread::sleep_for(600ms);
    EXPECT_LE(thread.WakeUps() - before, 5u);

    EffectSettings s = lighting.Settings();
    s.red = 17;
    const auto changed = std::chrono::steady_clock::now();
    lighting.SetSettings(s);
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            lighting.CopyFrame(frame);
            return frame[0].c0 == 17;
        },
        1000ms));
    EXPECT_LT(std::chrono::steady_clock::now() - changed, 100ms);
}

TEST_F(LightThreadFixture, SuspendedOutputFreezesAndResumesWhereItStopped) {
    UseMode(4, 4);
    thread.Start();
    ASSERT_TRUE(test::WaitUntil([&] { return Phase() > 5; }, 1000ms));
    link.suspended = true;
    std::this_thread::sleep_for(60ms);  // a tick in flight finishes
    const uint8_t frozen = Phase();
    const uint64_t generation = lighting.FrameGeneration();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(Phase(), frozen);
    EXPECT_EQ(lighting.FrameGeneration(), generation);

    link.suspended = false;
    ASSERT_TRUE(test::WaitUntil([&] { return Phase() != frozen; }, 1000ms));
    // It continues from the frozen phase, not from a restart.
    const uint8_t next = Phase();
    EXPECT_TRUE(next > frozen && next < frozen + 40) << int(frozen) << " -> " << int(next);
}

TEST_F(LightThreadFixture, ClosedLinkParksTheThread) {
    link.open = false;
    UseMode(4, 4);
    thread.Start();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(thread.Steps(), 0u);
    EXPECT_LE(thread.WakeUps(), 5u);
    EXPECT_EQ(thread.Stop(), StopResult::Ended);
}

TEST_F(LightThreadFixture, StopsWithinItsLimitAndRestarts) {
    test::ThreadLogCapture log;
    UseMode(4, 2);
    EXPECT_EQ(thread.Stop(), StopResult::NotRunning);
    thread.Start();
    thread.Start();  // a second start replaces the first thread
    ASSERT_TRUE(test::WaitUntil([&] { return thread.Steps() > 2; }, 1000ms));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(thread.Stop(), StopResult::Ended);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_TRUE(log.Contains(QString::fromUtf8("KB灯光线程设定退出")));
    EXPECT_TRUE(log.Contains(QString::fromUtf8("线程退出：：对象处于激发状态")));
}

TEST_F(LightThreadFixture, AThreadBlockedPastTheLimitIsReportedAndWaitedFor) {
    test::ThreadLogCapture log;
    UseMode(4, 2);
    thread.Start();
    ASSERT_TRUE(test::WaitUntil([&] { return thread.Steps() > 0; }, 1000ms));
    link.blockOnce = true;
    std::this_thread::sleep_for(50ms);  // the thread is now inside the hanging call
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(thread.Stop(), StopResult::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 1000ms);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_TRUE(log.Contains(QString::fromUtf8("线程退出：：对象处于非激发状态，超时")));
}

TEST_F(LightThreadFixture, UiThreadChangesRaceFreeWithTheLightThread) {
    UseMode(4, 4);
    thread.Start();
    LightBuffer frame;
    for (int i = 0; i < 300; ++i) {
        const uint8_t mode = static_cast<uint8_t>(i % 31);
        lighting.SetLightCopy({mode, static_cast<uint8_t>(i % 5)});
        lighting.StartMode(mode);
        lighting.ReplaceOverrides(std::vector<effects::LightOverride>(170));
        lighting.ReplaceSequence(std::vector<effects::SequenceStep>(2));
        lighting.CopyFrame(frame);
        std::this_thread::sleep_for(1ms);
    }
    EXPECT_EQ(thread.Stop(), StopResult::Ended);
}

}  // namespace
}  // namespace ravo
