#pragma once

#include "device/CancelSignal.h"
#include "device/DeviceSlotList.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ravo {

// Where the watcher reports, from its own thread.
class DeviceWatcherSink {
public:
    virtual ~DeviceWatcherSink() = default;
    // Message 3090 / 3091: the slot is already claimed / freed. Return once the main window
    // has handled it, or at once when the watcher's stop signal is set.
    virtual void OnDeviceArrived(int slot) = 0;
    virtual void OnDeviceRemoved(int slot) = 0;
    // The activation message: once per run, after the first scan. Must not wait.
    virtual void OnFirstScanDone() = 0;
    // End of every pass (for observers such as tests). Must not wait.
    virtual void OnPassDone() {}
};

// The device watcher thread: every 100 ms, while a slot is free, lists the HID interfaces and
// claims the slots of supported ones; on every pass frees the slots whose interface is gone.
class DeviceWatcher {
public:
    static constexpr std::chrono::milliseconds kPeriod{100};
    static constexpr std::chrono::milliseconds kStopLimit{1000};

    // The stop signal may be shared with the sink so a blocked delivery gives up on stop.
    DeviceWatcher(DeviceSlotList& slotList, DeviceWatcherSink& sink,
                  std::shared_ptr<CancelSignal> stop = std::make_shared<CancelSignal>());
    ~DeviceWatcher();  // stops and joins
    DeviceWatcher(const DeviceWatcher&) = delete;
    DeviceWatcher& operator=(const DeviceWatcher&) = delete;

    // Starts the thread; false when it is already running.
    bool Start();
    // Sets the stop signal; returns at once.
    void RequestStop();
    // Waits at most `limit` for the thread to end; true when it has ended and is joined.
    bool WaitStopped(std::chrono::milliseconds limit);
    bool Stop(std::chrono::milliseconds limit = kStopLimit) {
        RequestStop();
        return WaitStopped(limit);
    }
    bool IsRunning() const;

    const std::shared_ptr<CancelSignal>& StopSignal() const { return m_stop; }
    // Passes begun so far (the first is 1), for tests that reason about passes.
    uint64_t PassCount() const { return m_passes.load(); }

private:
    void Run();
    void Scan(class HidDevice& scanner);
    void CheckClaimed();

    DeviceSlotList& m_slots;
    DeviceWatcherSink& m_sink;
    const std::shared_ptr<CancelSignal> m_stop;
    std::atomic<uint64_t> m_passes{0};

    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_running = false;  // guarded by m_mutex: the thread has not finished its body
    std::thread m_thread;    // started and joined by the owner's thread only
};

}  // namespace ravo
