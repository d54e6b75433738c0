#pragma once

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace ravo {

// A background thread the main window owns: asked to stop, then given a bounded time to end.
class Worker {
public:
    virtual ~Worker() = default;
    virtual std::string Name() const = 0;
    // Signals the worker's stop event; returns at once.
    virtual void RequestStop() = 0;
    // Waits at most `limit` for the thread to end; true when it has ended (and is joined).
    virtual bool WaitStopped(std::chrono::milliseconds limit) = 0;
};

// The main window's twenty worker slots (0: device watcher, 8: synchronised lighting).
class WorkerSlots {
public:
    static constexpr int kSlotCount = 20;
    static constexpr int kWatcherSlot = 0;
    static constexpr int kSyncLightingSlot = 8;
    static constexpr std::chrono::milliseconds kStopLimit{1000};

    WorkerSlots() = default;
    ~WorkerSlots();
    WorkerSlots(const WorkerSlots&) = delete;
    WorkerSlots& operator=(const WorkerSlots&) = delete;

    // False when the slot is out of range or taken.
    bool Start(int slot, std::unique_ptr<Worker> worker);
    Worker* At(int slot) const;

    // Signals every worker first, then waits for each in slot order, at most `limit` each.
    // Returns the names of the workers that did not end in time (they are waited for anyway:
    // every wait of a worker is bounded, so it ends soon after).
    std::vector<std::string> StopAll(std::chrono::milliseconds limit = kStopLimit);

private:
    std::array<std::unique_ptr<Worker>, kSlotCount> m_slots;
};

}  // namespace ravo
