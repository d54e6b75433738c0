#pragma once

#include "app/WorkerSlots.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace ravo {

// A manual-reset stop event: set once, seen by every wait after it.
class StopEvent {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // Waits at most `limit`; true when the event is set.
    bool Wait(std::chrono::milliseconds limit) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_cv;
    bool m_set = false;  // guarded by m_mutex
};

// A Worker running `body` on its own thread; the body ends when the stop event is set.
class ThreadWorker : public Worker {
public:
    using Body = std::function<void(const StopEvent& stop)>;

    ThreadWorker(std::string name, Body body);
    ~ThreadWorker() override;

    std::string Name() const override { return m_name; }
    void RequestStop() override { m_stop.Set(); }
    bool WaitStopped(std::chrono::milliseconds limit) override;

private:
    std::string m_name;
    StopEvent m_stop;
    std::mutex m_mutex;
    std::condition_variable m_doneCv;
    bool m_done = false;  // guarded by m_mutex
    std::thread m_thread;
};

}  // namespace ravo
