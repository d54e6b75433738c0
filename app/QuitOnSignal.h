#pragma once

#include <memory>

class QSocketNotifier;

namespace ravo {

// Ends the message loop in order when the process gets SIGTERM, SIGINT or SIGHUP, so that a
// session logout or a kill still tears everything down. One at a time; needs the application
// object.
class CQuitOnSignal {
public:
    CQuitOnSignal();
    ~CQuitOnSignal();
    CQuitOnSignal(const CQuitOnSignal&) = delete;
    CQuitOnSignal& operator=(const CQuitOnSignal&) = delete;

    bool IsInstalled() const { return m_notifier != nullptr; }

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

}  // namespace ravo
