#pragma once

// One listener of the keyboard's vendor input interface: its HID handle (with its own lock and
// open flag) and the thread that waits for the codes the keyboard announces when it was changed
// on the keyboard itself.
//
// Listener A (kind 1) and listener B (kind 9) differ in their codes:
//   A: 0x401 or 0x402 -> host.RequestResync(); other codes above 0x401 -> host.HandleSyncCode.
//      Every code is kept as the program-wide last code (LastListenerCode) for OnResync.
//   B: 0x401 -> host.RequestResync(); any code above 0x401 -> host.HandleSyncCode.
// A report with no usage on (code 0, a key release) is ignored.
//
// Threads: Open/Close/Reopen/StartThread/StopThread from the owning (UI) thread; the host's
// calls come from the listener thread. The blocking read runs without the lock; StopThread
// breaks it by closing the handle (HidDevice::Close is safe during a read), so a listener always
// ends within its 500 ms limit. The host must outlive the listener.

#include "device/HidDevice.h"
#include "devices/WorkerThread.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>

namespace ravo {

class ListenerHost {
public:
    virtual ~ListenerHost() = default;
    // Listener thread: have OnResync run on the UI thread in 50 ms (selector item's timer 1002).
    virtual void RequestResync() = 0;
    // Listener thread: the device's HandleSyncCode; page changes it needs go to the UI thread.
    virtual void HandleSyncCode(uint16_t code) = 0;
};

inline constexpr int kListenerKindA = 1;
inline constexpr int kListenerKindB = 9;

// The last code listener A received (program-wide), read by OnResync.
uint16_t LastListenerCode();

class ListenerThread {
public:
    static constexpr std::chrono::milliseconds kStopLimit{500};
    // Back-off after a failed read (device gone) or while no handle is open; Open restarts.
    static constexpr std::chrono::milliseconds kRetryWait{100};
    static constexpr std::chrono::milliseconds kIdleWait{1000};

    ListenerThread(int kind, ListenerHost& host);
    ~ListenerThread();
    ListenerThread(const ListenerThread&) = delete;
    ListenerThread& operator=(const ListenerThread&) = delete;

    int Kind() const { return m_kind; }
    bool IsOpen() const { return m_open.load(); }
    bool IsRunning() const { return m_worker.IsRunning(); }

    // OpenListener for this kind: (re)open the handle, then start the thread. False when the
    // interface could not be opened (the thread runs anyway and waits for a handle).
    bool Open(const std::string& path);
    // CloseListener: when open, stop the thread, then close the handle.
    void Close();
    // ReopenListener: Close, open, start.
    bool Reopen(const std::string& path);

    // StartListenerThread / StopListenerThread.
    void StartThread();
    StopResult StopThread();

    // Decodes one input report of the interface into its code (0 = none).
    static uint16_t CodeOf(HidDevice& hid, const uint8_t* report, uint32_t length);

private:
    bool OpenHandle(const std::string& path);
    void Run(StopEvent& stop);
    void Dispatch(uint16_t code);

    const int m_kind;
    ListenerHost& m_host;
    mutable std::mutex m_lock;  // guards opening and closing m_hid, and decoding with it
    HidDevice m_hid;            // ReadReport runs without m_lock
    std::atomic<bool> m_open{false};
    WorkerThread m_worker;
};

}  // namespace ravo
