#pragma once

// One device worker thread with its stop event and the stop protocol: signal the event, wait a
// bounded time for the thread to end, report the outcome on the debug stream. Threads are never
// killed: one that misses its limit is reported ("超时") and then waited for, so every body must
// keep its waits bounded and make blocking calls breakable (the `interrupt` hook of Stop).
// Start and Stop belong to one owning thread; the body runs on the worker.

#include "devices/StopEvent.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace ravo {

enum class StopResult {
    NotRunning,  // nothing to stop
    Ended,       // ended within the limit
    TimedOut,    // missed the limit; it was waited for afterwards
};

class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts body(stopEvent) on a new thread, stopping a running one first (1000 ms). The event
    // is reset here, before the thread exists, so a Stop right after Start is never lost.
    // `name` (a literal, at most 15 characters) names the thread for the system's tools.
    void Start(std::function<void(StopEvent&)> body, const char* name = nullptr);
    // `interrupt` runs right after the event is signalled (e.g. to break a blocked read).
    StopResult Stop(std::chrono::milliseconds limit, const std::function<void()>& interrupt = {});
    bool IsRunning() const { return m_thread.joinable(); }
    void Wake() { m_stop.Wake(); }

private:
    StopEvent m_stop;
    std::thread m_thread;
    std::mutex m_doneMutex;
    std::condition_variable m_doneChanged;
    bool m_done = false;  // guarded by m_doneMutex
};

}  // namespace ravo
