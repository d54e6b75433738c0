#include "app/ThreadWorker.h"

namespace ravo {

void StopEvent::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_cv.notify_all();
}

void StopEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool StopEvent::IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool StopEvent::Wait(std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_mutex);
    return m_cv.wait_for(lock, limit, [this] { return m_set; });
}

ThreadWorker::ThreadWorker(std::string name, Body body) : m_name(std::move(name)) {
    m_thread = std::thread([this, body = std::move(body)] {
        body(m_stop);
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_doneCv.notify_all();
    });
}

ThreadWorker::~ThreadWorker() {
    RequestStop();
    if (m_thread.joinable())
        m_thread.join();
}

bool ThreadWorker::WaitStopped(std::chrono::milliseconds limit) {
    {
        std::unique_lock lock(m_mutex);
        if (!m_doneCv.wait_for(lock, limit, [this] { return m_done; }))
            return false;
    }
    if (m_thread.joinable())
        m_thread.join();
    return true;
}

}  // namespace ravo
