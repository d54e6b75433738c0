#include "device/CancelSignal.h"

namespace ravo {

void CancelSignal::Set() {
    std::lock_guard lock(m_mutex);
    m_set = true;
    m_changed.notify_all();
}

void CancelSignal::Reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool CancelSignal::IsSet() const {
    std::lock_guard lock(m_mutex);
    return m_set;
}

bool CancelSignal::Wait(std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, limit, [this] { return m_set; });
}

bool CancelSignal::WaitUntil(const std::function<bool()>& done) const {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_set || done(); });
    return done();
}

void CancelSignal::Update(const std::function<void()>& change) {
    std::lock_guard lock(m_mutex);
    change();
    m_changed.notify_all();
}

}  // namespace ravo
