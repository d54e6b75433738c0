#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace ravo {

// A manual-reset event that other waits can join: a thread waiting for some condition with
// WaitUntil also wakes when the signal is set, so no wait outlives a stop request.
class CancelSignal {
public:
    void Set();
    void Reset();
    bool IsSet() const;
    // Waits at most `limit`; true when the signal is set.
    bool Wait(std::chrono::milliseconds limit) const;
    // Waits until done() holds (true) or the signal is set (false). done() runs under the
    // signal's lock; whatever it reads must be changed through Update.
    bool WaitUntil(const std::function<bool()>& done) const;
    // Runs `change` under the signal's lock and wakes every waiter.
    void Update(const std::function<void()>& change);

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_set = false;  // guarded by m_mutex
};

}  // namespace ravo
