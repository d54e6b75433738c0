#include "app/ThreadWorker.h"

#include <pthread.h>

namespace ravo {

ThreadWorker::ThreadWorker(std::string name, Body body) : m_name(std::move(name)) {
    m_thread = std::thread([this, body = std::move(body)] {
        // The kernel keeps at most 15 characters of a thread's name.
        pthread_setname_np(pthread_self(), m_name.substr(0, 15).c_str());
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
