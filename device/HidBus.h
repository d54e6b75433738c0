#pragma once

#include "device/HidBackend.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ravo {

// The process-wide set of HID backends every HidDevice lists and opens through: the real
// bus, the virtual bus, or both. Chosen once at start-up (and by tests).
class HidBus {
public:
    static HidBus& Instance();

    void SetBackends(std::vector<std::shared_ptr<HidBackend>> backends);
    std::vector<std::shared_ptr<HidBackend>> Backends() const;

    // Lists every backend in order; false when any listing failed.
    bool Enumerate(std::vector<std::string>& paths) const;
    std::unique_ptr<HidConnection> Open(const std::string& path,
                                        const HidOpenOptions& options) const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::shared_ptr<HidBackend>> m_backends;  // guarded by m_mutex
};

}  // namespace ravo
