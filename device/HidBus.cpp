#include "device/HidBus.h"

namespace ravo {

HidBus& HidBus::Instance() {
    static HidBus bus;
    return bus;
}

void HidBus::SetBackends(std::vector<std::shared_ptr<HidBackend>> backends) {
    std::lock_guard lock(m_mutex);
    m_backends = std::move(backends);
}

std::vector<std::shared_ptr<HidBackend>> HidBus::Backends() const {
    std::lock_guard lock(m_mutex);
    return m_backends;
}

bool HidBus::Enumerate(std::vector<std::string>& paths) const {
    // Listing may take a while on the real bus: work on a copy so SetBackends never waits.
    bool ok = true;
    for (const auto& backend : Backends())
        ok = backend->Enumerate(paths) && ok;
    return ok;
}

std::unique_ptr<HidConnection> HidBus::Open(const std::string& path,
                                            const HidOpenOptions& options) const {
    for (const auto& backend : Backends())
        if (backend->Owns(path))
            return backend->Open(path, options);
    return nullptr;
}

}  // namespace ravo
