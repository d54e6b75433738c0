#pragma once

// A manual-reset stop event for worker threads: once Set, every wait returns true until Reset.
// Wake ends the current (or next) wait early without setting the event, so a thread that
// sleeps until its next piece of work can be told that the work moved.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace ravo {

class StopEvent {
public:
    using Clock = std::chrono::steady_clock;

    void Set();
    void Reset();
    bool IsSet() const;
    void Wake();

    // Waits until the event is set, Wake is called or the deadline passes; true when set.
    bool WaitUntil(Clock::time_point deadline);
    bool WaitFor(std::chrono::nanoseconds timeout) { return WaitUntil(Clock::now() + timeout); }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set = false;          // guarded by m_mutex
    bool m_wakePending = false;  // guarded by m_mutex
};

}  // namespace ravo
