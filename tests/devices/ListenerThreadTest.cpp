// ctest-labels: threads
#include "devices/KeyboardSyncCode.h"
#include "devices/ListenerThread.h"
#include "devices/SyncListeners.h"

#include "device/HidBus.h"
#include "tests/devices/ThreadTestSupport.h"
#include "virtualbus/KeyboardInterfaces.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <vector>

using namespace std::chrono_literals;

namespace ravo {
namespace {

class SilentFirmware : public virt::VirtualFirmware {
public:
    bool OnOutputReport(virt::VirtualDevice&, size_t, std::span<const uint8_t>) override {
        return true;
    }
};

// Records what the listeners ask for; applies profile codes as the keyboard does.
class RecordingHost : public ListenerHost {
public:
    void RequestResync() override {
        std::scoped_lock lock(m_mutex);
        ++resyncs;
        m_changed.notify_all();
    }
    void HandleSyncCode(uint16_t code) override {
        std::scoped_lock lock(m_mutex);
        codes.push_back(code);
        const SyncCodeEffect effect = InterpretSyncCode(code);
        if (effect.applies) {
            profile = effect.profile;
            ++refreshes;
        }
        m_changed.notify_all();
    }
    // Waits (bounded) until `done` holds under the lock.
    template <class F>
    bool Wait(F done, std::chrono::milliseconds limit = 2000ms) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return done(); });
    }
    template <class F>
    auto Read(F read) {
        std::scoped_lock lock(m_mutex);
        return read();
    }

    int resyncs = 0;              // guarded by m_mutex
    int refreshes = 0;            // guarded by m_mutex
    int profile = -1;             // guarded by m_mutex
    std::vector<uint16_t> codes;  // guarded by m_mutex

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

class ListenerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
        keyboard = bus->Plug(virt::KeyboardCableInterfaces(), std::make_shared<SilentFirmware>());
    }
    void TearDown() override { HidBus::Instance().SetBackends({}); }

    std::string EventPath() const { return keyboard->Path(virt::kKeyboardEventInterface); }
    void Announce(uint16_t code) {
        const uint8_t report[] = {virt::kKeyboardEventReportId, static_cast<uint8_t>(code & 0xFF),
                                  static_cast<uint8_t>(code >> 8)};
        keyboard->QueueInput(virt::kKeyboardEventInterface, report);
    }

    std::shared_ptr<virt::VirtualHidBus> bus;
    std::shared_ptr<virt::VirtualDevice> keyboard;
    RecordingHost host;
};

TEST_F(ListenerFixture, CodesReachTheirHandlers) {
    struct Case {
        int kind;
        uint16_t code;
        int resyncs;
        std::vector<uint16_t> handled;
    };
    const Case cases[] = {
        {kListenerKindA, 0x401, 1, {}},
        {kListenerKindA, 0x402, 1, {}},
        {kListenerKindA, 0x1102, 0, {0x1102}},
        {kListenerKindA, 0x400, 0, {}},
        {kListenerKindB, 0x401, 1, {}},
        {kListenerKindB, 0x402, 0, {0x402}},  // HandleSyncCode ignores it
        {kListenerKindB, 0x1102, 0, {0x1102}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " code " << std::hex << c.code);
        RecordingHost local;
        ListenerThread listener(c.kind, local);
        ASSERT_TRUE(listener.Open(EventPath()));
        Announce(c.code);
        Announce(0x1005);  // a marker: every code before it has been handled
        ASSERT_TRUE(
            local.Wait([&] { return !local.codes.empty() && local.codes.back() == 0x1005; }));
        local.Read([&] {
            EXPECT_EQ(local.resyncs, c.resyncs);
            std::vector<uint16_t> handled(local.codes.begin(), local.codes.end() - 1);
            EXPECT_EQ(handled, c.handled);
        });
        if (c.kind == kListenerKindA) {
            EXPECT_EQ(LastListenerCode(), 0x1005);
        }
        EXPECT_EQ(listener.StopThread(), StopResult::Ended);
    }
}

TEST_F(ListenerFixture, ProfileCodeFromEitherListenerSetsTheProfile) {
    SyncListeners listeners(host);
    ASSERT_TRUE(listeners.OpenListener(EventPath(), kListenerKindA));
    Announce(0x1102);
    ASSERT_TRUE(host.Wait([&] { return host.refreshes == 1; }));
    EXPECT_EQ(host.Read([&] { return host.profile; }), 2);
    listeners.CloseListener(kListenerKindA);

    ASSERT_TRUE(listeners.OpenListener(EventPath(), kListenerKindB));
    Announce(0x1103);
    ASSERT_TRUE(host.Wait([&] { return host.refreshes == 2; }));
    EXPECT_EQ(host.Read([&] { return host.profile; }), 3);
    listeners.StopAll();
}

TEST_F(ListenerFixture, ListenerAKeepsTheResyncCodeOverAKeyRelease) {
    test::ThreadLogCapture log;
    ListenerThread listener(kListenerKindA, host);
    ASSERT_TRUE(listener.Open(EventPath()));
    Announce(0x402);
    Announce(0);  // nothing on: a release, not a code
    Announce(0x1001);
    ASSERT_TRUE(host.Wait([&] { return host.refreshes == 1; }));
    EXPECT_EQ(host.Read([&] { return host.resyncs; }), 1);
    // Two codes were taken; the release in between was not (it would have replaced 0x402 as
    // the last code before OnResync could read it).
    EXPECT_EQ(log.Count(QString::fromUtf8("接收到自动添加设备的同步信息要求  TEST")), 2);
    listener.Close();
    EXPECT_FALSE(listener.IsOpen());
    EXPECT_FALSE(listener.IsRunning());
}

TEST_F(ListenerFixture, StopBreaksABlockedReadWithinTheLimit) {
    test::ThreadLogCapture log;
    ListenerThread listener(kListenerKindA, host);
    ASSERT_TRUE(listener.Open(EventPath()));
    std::this_thread::sleep_for(50ms);  // inside the read, which waits without limit
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(listener.StopThread(), StopResult::Ended);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 200ms);
    EXPECT_TRUE(log.Contains(QString::fromUtf8("MS 设备同步线程设定退出")));
    // Reopen brings it back on the same interface.
    ASSERT_TRUE(listener.Reopen(EventPath()));
    Announce(0x401);
    ASSERT_TRUE(host.Wait([&] { return host.resyncs == 1; }));
}

TEST_F(ListenerFixture, ListenerWithoutAHandleEndsAtOnce) {
    ListenerThread listener(kListenerKindB, host);
    EXPECT_FALSE(listener.Open("\\\\?\\hid#vid_320f&pid_9999&mi_01&col03#nothing"));
    EXPECT_TRUE(listener.IsRunning());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(listener.StopThread(), StopResult::Ended);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 100ms);
    listener.Close();  // not open: nothing to do
}

TEST_F(ListenerFixture, UnpluggedInterfaceIsRetriedWithoutSpinning) {
    SyncListeners listeners(host);
    ASSERT_TRUE(listeners.OpenListener(EventPath(), kListenerKindA));
    bus->Unplug(keyboard);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(listeners.StopListenerThread(kListenerKindA), StopResult::Ended);
    EXPECT_FALSE(listeners.OpenListener(EventPath(), 3));  // other kinds are ignored
    EXPECT_EQ(listeners.StopListenerThread(3), StopResult::NotRunning);
}

}  // namespace
}  // namespace ravo
