#include "devices/StopEvent.h"

namespace ravo {

void StopEvent::Set() {
    {
        std::scoped_lock lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_all();
}

void StopEvent::Reset() {
    std::scoped_lock lock(m_mutex);
    m_set = false;
    m_wakePending = false;
}

bool StopEvent::IsSet() const {
    std::scoped_lock lock(m_mutex);
    return m_set;
}

void StopEvent::Wake() {
    {
        std::scoped_lock lock(m_mutex);
        m_wakePending = true;
    }
    m_changed.notify_all();
}

bool StopEvent::WaitUntil(Clock::time_point deadline) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_until(lock, deadline, [this] { return m_set || m_wakePending; });
    m_wakePending = false;
    return m_set;
}

}  // namespace ravo
