#include "app/WorkerSlots.h"

#include <QLoggingCategory>

namespace ravo {

Q_LOGGING_CATEGORY(lcWorkers, "ravo.workers", QtWarningMsg)

WorkerSlots::~WorkerSlots() {
    StopAll();
}

bool WorkerSlots::Start(int slot, std::unique_ptr<Worker> worker) {
    if (slot < 0 || slot >= kSlotCount || m_slots[slot] || !worker)
        return false;
    m_slots[slot] = std::move(worker);
    return true;
}

Worker* WorkerSlots::At(int slot) const {
    return slot >= 0 && slot < kSlotCount ? m_slots[slot].get() : nullptr;
}

std::vector<std::string> WorkerSlots::StopAll(std::chrono::milliseconds limit) {
    for (auto& worker : m_slots) {
        if (worker)
            worker->RequestStop();
    }
    std::vector<std::string> late;
    for (auto& worker : m_slots) {
        if (!worker)
            continue;
        const bool ended = worker->WaitStopped(limit);
        qCDebug(lcWorkers) << worker->Name().c_str() << (ended ? "stopped" : "late");
        if (!ended) {
            late.push_back(worker->Name());
            // Its waits are bounded: it ends shortly; never leave it running unowned.
            while (!worker->WaitStopped(limit)) {
                qCWarning(lcWorkers) << worker->Name().c_str() << "still running";
            }
        }
        worker.reset();
    }
    return late;
}

}  // namespace ravo
