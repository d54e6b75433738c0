#pragma once

#include "app/WorkerSlots.h"
#include "devices/StopEvent.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace ravo {

// A Worker running `body` on its own thread, named after the worker; the body ends when the
// stop event is set.
class ThreadWorker : public Worker {
public:
    using Body = std::function<void(StopEvent& stop)>;

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
