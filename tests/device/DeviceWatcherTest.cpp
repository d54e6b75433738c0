// ctest-labels: threads
#include "device/DeviceWatcher.h"
#include "device/HidBus.h"
#include "device/QtDeviceWatcherSink.h"
#include "device/UiThreadCall.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualHidBus.h"

#include <QCoreApplication>
#include <QObject>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace ravo {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Event {
    enum Kind { Arrived, Removed, Activation } kind;
    int slot;
    uint64_t pass;
    bool operator==(const Event&) const = default;
};

// Records the watcher's reports with the pass they came in.
class RecordingSink : public DeviceWatcherSink {
public:
    void OnDeviceArrived(int slot) override { Add({Event::Arrived, slot, Pass()}); }
    void OnDeviceRemoved(int slot) override { Add({Event::Removed, slot, Pass()}); }
    void OnFirstScanDone() override { Add({Event::Activation, -1, Pass()}); }
    void OnPassDone() override {
        std::lock_guard lock(m_mutex);
        ++m_passesDone;
        m_changed.notify_all();
    }

    void Watch(const DeviceWatcher* watcher) { m_watcher = watcher; }
    // Waits (bounded) until at least `count` events were recorded.
    bool WaitForEvents(size_t count, std::chrono::milliseconds limit = 3s) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return m_events.size() >= count; });
    }
    // Waits (bounded) until `count` more passes have ended.
    bool WaitForPasses(uint64_t count, std::chrono::milliseconds limit = 3s) {
        std::unique_lock lock(m_mutex);
        const uint64_t target = m_passesDone + count;
        return m_changed.wait_for(lock, limit, [&] { return m_passesDone >= target; });
    }
    std::vector<Event> Events() {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_events.clear();
    }

private:
    uint64_t Pass() const { return m_watcher ? m_watcher->PassCount() : 0; }
    void Add(Event e) {
        std::lock_guard lock(m_mutex);
        m_events.push_back(e);
        m_changed.notify_all();
    }

    const DeviceWatcher* m_watcher = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Event> m_events;  // guarded by m_mutex
    uint64_t m_passesDone = 0;    // guarded by m_mutex
};

// Fails its first listings, for the retry after a failed enumeration.
class FlakyBackend : public HidBackend {
public:
    explicit FlakyBackend(int failures) : m_failures(failures) {}
    bool Enumerate(std::vector<std::string>&) override { return m_failures.fetch_sub(1) <= 0; }
    bool Owns(const std::string&) const override { return false; }
    std::unique_ptr<HidConnection> Open(const std::string&, const HidOpenOptions&) override {
        return nullptr;
    }
    std::atomic<int> m_failures;
};

std::vector<virt::VirtualInterfaceSpec> WithProduct(std::vector<virt::VirtualInterfaceSpec> specs,
                                                    uint16_t vendor, uint16_t product) {
    for (auto& spec : specs) {
        spec.vendorId = vendor;
        spec.productId = product;
    }
    return specs;
}

std::vector<virt::VirtualInterfaceSpec> HeadsetInterfaces() {
    virt::VirtualInterfaceSpec spec;
    spec.vendorId = 0x0C76;
    spec.productId = 0x1630;
    spec.interfaceNumber = 3;
    spec.reportDescriptor = {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x25,
                             0x01, 0x09, 0xE9, 0x09, 0xEA, 0x75, 0x01, 0x95, 0x02,
                             0x81, 0x02, 0x95, 0x06, 0x81, 0x01, 0xC0};
    return {spec};
}

class DeviceWatcherTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
        sink.Watch(&watcher);
    }
    void TearDown() override {
        EXPECT_TRUE(watcher.Stop());
        HidBus::Instance().SetBackends({});
    }

    std::shared_ptr<virt::VirtualHidBus> bus;
    DeviceSlotList slotList;
    RecordingSink sink;
    DeviceWatcher watcher{slotList, sink};
};

TEST_F(DeviceWatcherTest, WiredKeyboardClaimsBothRowsInOnePassThenActivation) {
    auto keyboard = bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForEvents(3));
    const auto events = sink.Events();
    EXPECT_EQ(events[0], (Event{Event::Arrived, 0, 1}));
    EXPECT_EQ(events[1], (Event{Event::Arrived, 1, 1}));
    EXPECT_EQ(events[2], (Event{Event::Activation, -1, 1}));
    EXPECT_EQ(slotList.At(0).path, keyboard->Path(virt::kKeyboardCommandInterface));
    EXPECT_EQ(slotList.At(1).path, keyboard->Path(virt::kKeyboardEventInterface));
    EXPECT_EQ(slotList.At(0).inUse, 1);
    EXPECT_TRUE(slotList.At(2).IsFree());
    EXPECT_EQ(keyboard->OpenCount(0), 0u) << "the scanning device is closed again";
    EXPECT_FALSE(watcher.Start()) << "already running";
}

TEST_F(DeviceWatcherTest, UnplugFreesBothSlotsInSlotOrderWithinOnePass) {
    auto keyboard = bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForEvents(3));
    sink.Clear();
    const auto start = Clock::now();
    bus->Unplug(keyboard);
    ASSERT_TRUE(sink.WaitForEvents(2));
    EXPECT_LT(Clock::now() - start, 400ms);
    const auto events = sink.Events();
    EXPECT_EQ(events[0].kind, Event::Removed);
    EXPECT_EQ(events[1].kind, Event::Removed);
    // The unplug may land between the checks of one pass; the pass that sees both gone
    // reports them in slot order.
    if (events[0].pass == events[1].pass) {
        EXPECT_EQ(events[0].slot, 0);
        EXPECT_EQ(events[1].slot, 1);
    } else {
        EXPECT_EQ(events[1].pass, events[0].pass + 1);
    }
    EXPECT_TRUE(slotList.At(0).IsFree());
    EXPECT_TRUE(slotList.At(1).IsFree());

    // Back again: claimed again.
    sink.Clear();
    bus->Replug(keyboard);
    ASSERT_TRUE(sink.WaitForEvents(2));
    EXPECT_EQ(sink.Events()[0], (Event{Event::Arrived, 0, sink.Events()[0].pass}));
}

TEST_F(DeviceWatcherTest, ARefusingInterfaceIsNeverClaimed) {
    auto keyboard = bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    keyboard->SetFault(virt::kKeyboardCommandInterface, virt::InterfaceFault::NoReadAccess);
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForPasses(5));
    const auto events = sink.Events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], (Event{Event::Arrived, 1, 1}));
    EXPECT_EQ(events[1].kind, Event::Activation);
    EXPECT_TRUE(slotList.At(0).IsFree());

    // Once it stops refusing it is claimed on a later pass.
    keyboard->SetFault(virt::kKeyboardCommandInterface, virt::InterfaceFault::None);
    ASSERT_TRUE(sink.WaitForEvents(3));
    EXPECT_EQ(sink.Events()[2].slot, 0);
}

TEST_F(DeviceWatcherTest, WithEverySlotClaimedNoListingYetRemovalIsSeen) {
    bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    bus->Plug(virt::KeyboardReceiverInterfaces(), nullptr);
    const auto mouseSpecs = virt::KeyboardCableInterfaces();
    bus->Plug(WithProduct(mouseSpecs, 0x320F, 0x221C), nullptr);
    bus->Plug(WithProduct(mouseSpecs, 0x320F, 0x221D), nullptr);
    bus->Plug(WithProduct(mouseSpecs, 0x320F, 0x1004), nullptr);
    auto headset = bus->Plug(HeadsetInterfaces(), nullptr);
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForEvents(kSupportRowCount + 1));
    EXPECT_FALSE(slotList.AnyFree());
    EXPECT_EQ(slotList.At(10).path, headset->Path(0));

    ASSERT_TRUE(sink.WaitForPasses(1));
    const uint64_t listings = bus->EnumerationCount();
    ASSERT_TRUE(sink.WaitForPasses(3));
    EXPECT_EQ(bus->EnumerationCount(), listings) << "no listing while every slot is claimed";

    sink.Clear();
    const auto start = Clock::now();
    bus->Unplug(headset);
    ASSERT_TRUE(sink.WaitForEvents(1));
    EXPECT_LT(Clock::now() - start, 250ms);
    EXPECT_EQ(sink.Events()[0].kind, Event::Removed);
    EXPECT_EQ(sink.Events()[0].slot, 10);
    ASSERT_TRUE(sink.WaitForPasses(2));
    EXPECT_GT(bus->EnumerationCount(), listings) << "a free slot brings the listing back";
}

TEST_F(DeviceWatcherTest, ActivationIsPostedOnceEvenWithoutDevices) {
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForPasses(4));
    const auto events = sink.Events();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], (Event{Event::Activation, -1, 1}));

    // A new run posts it again, once.
    ASSERT_TRUE(watcher.Stop());
    sink.Clear();
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForPasses(3));
    EXPECT_EQ(sink.Events().size(), 1u);
}

TEST_F(DeviceWatcherTest, AFailedListingIsRetriedOnTheNextPass) {
    HidBus::Instance().SetBackends({std::make_shared<FlakyBackend>(3), bus});
    bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForEvents(3));
    const auto events = sink.Events();
    EXPECT_EQ(events[0].kind, Event::Activation) << "the window shows even when listing fails";
    EXPECT_EQ(events[1], (Event{Event::Arrived, 0, 4}));
    EXPECT_EQ(events[2], (Event{Event::Arrived, 1, 4}));
}

TEST_F(DeviceWatcherTest, StopEndsPromptlyAndStopBeforeTheFirstPassIsKept) {
    ASSERT_TRUE(watcher.Start());
    watcher.RequestStop();
    EXPECT_TRUE(watcher.WaitStopped(1000ms));
    EXPECT_FALSE(watcher.IsRunning());
    EXPECT_TRUE(watcher.Stop()) << "stopping a stopped watcher";

    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(sink.WaitForPasses(1));
    const auto start = Clock::now();
    EXPECT_TRUE(watcher.Stop());
    EXPECT_LT(Clock::now() - start, 200ms);
}

// The Qt sink delivers on the UI thread and gives up when the UI thread stops the watcher.
class QtSinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
    }
    void TearDown() override { HidBus::Instance().SetBackends({}); }
    std::shared_ptr<virt::VirtualHidBus> bus;
};

TEST_F(QtSinkTest, ArrivalsRunOnTheUiThreadWithTheSlotAlreadyClaimed) {
    QObject window;
    DeviceSlotList slotList;
    auto stop = std::make_shared<CancelSignal>();
    std::vector<std::pair<int, std::string>> arrived;  // UI thread only
    int activations = 0;
    bool onUiThread = true;
    QtDeviceWatcherSink sink(&window,
                             {[&](int slot) {
                                  onUiThread &= QThread::currentThread() == window.thread();
                                  arrived.emplace_back(slot, slotList.Slots()[slot].path);
                              },
                              [&](int) {}, [&] { ++activations; }},
                             stop);
    DeviceWatcher watcher(slotList, sink, stop);
    auto keyboard = bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    ASSERT_TRUE(watcher.Start());
    QTRY_VERIFY_WITH_TIMEOUT(arrived.size() == 2 && activations == 1, 3000);
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(arrived[0].first, 0);
    EXPECT_EQ(arrived[0].second, keyboard->Path(0));
    EXPECT_TRUE(watcher.Stop());
}

TEST_F(QtSinkTest, StoppingFromTheUiThreadWhileADeliveryWaitsDoesNotDeadlock) {
    QObject window;
    DeviceSlotList slotList;
    auto stop = std::make_shared<CancelSignal>();
    std::atomic<int> handled{0};
    QtDeviceWatcherSink sink(&window, {[&](int) { ++handled; }, [&](int) { ++handled; }, {}}, stop);
    DeviceWatcher watcher(slotList, sink, stop);
    bus->Plug(virt::KeyboardCableInterfaces(), nullptr);
    ASSERT_TRUE(watcher.Start());
    // The UI thread does not run its event loop: the watcher's first arrival waits for it.
    std::this_thread::sleep_for(150ms);
    const auto start = Clock::now();
    EXPECT_TRUE(watcher.Stop(1000ms));
    EXPECT_LT(Clock::now() - start, 200ms);
    // The abandoned delivery never runs later.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(handled.load(), 0);
}

TEST(UiThreadCallTest, CallsFromTheTargetThreadRunDirectly) {
    QObject target;
    auto cancel = std::make_shared<CancelSignal>();
    bool ran = false;
    EXPECT_TRUE(CallOnObjectThread(
        &target, [&] { ran = true; }, cancel));
    EXPECT_TRUE(ran);
    EXPECT_FALSE(CallOnObjectThread(
        nullptr, [] {}, cancel));
}

}  // namespace
}  // namespace ravo
