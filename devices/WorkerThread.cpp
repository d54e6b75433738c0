#include "devices/WorkerThread.h"

#include "devices/ThreadLog.h"

#include <pthread.h>

namespace ravo {

WorkerThread::~WorkerThread() {
    Stop(std::chrono::milliseconds(1000));
}

void WorkerThread::Start(std::function<void(StopEvent&)> body, const char* name) {
    Stop(std::chrono::milliseconds(1000));
    m_stop.Reset();
    {
        std::scoped_lock lock(m_doneMutex);
        m_done = false;
    }
    m_thread = std::thread([this, body = std::move(body), name] {
        if (name != nullptr) {
            // Seen in top -H and /proc; the kernel keeps at most 15 characters.
            pthread_setname_np(pthread_self(), name);
        }
        body(m_stop);
        {
            std::scoped_lock lock(m_doneMutex);
            m_done = true;
        }
        m_doneChanged.notify_all();
    });
}

StopResult WorkerThread::Stop(std::chrono::milliseconds limit,
                              const std::function<void()>& interrupt) {
    if (!m_thread.joinable()) {
        return StopResult::NotRunning;
    }
    m_stop.Set();
    if (interrupt) {
        interrupt();
    }
    bool ended = false;
    {
        std::unique_lock lock(m_doneMutex);
        ended = m_doneChanged.wait_for(lock, limit, [this] { return m_done; });
    }
    if (ended) {
        ThreadDebugLine("线程退出：：对象处于激发状态");
    } else {
        ThreadDebugLine("线程退出：：对象处于非激发状态，超时");
    }
    m_thread.join();
    return ended ? StopResult::Ended : StopResult::TimedOut;
}

}  // namespace ravo
