#pragma once

// The keyboard's light thread: paces the software lighting effects.
//
// Cadence (LightCadence): a tick is counted when at least 2 ms passed since the last counted
// tick; the mode's step runs when the count reaches the mode's interval
// (SoftwareLighting::CurrentPacing), the sequence player and the per-light overrides advance
// once per counted tick. The thread does not poll: it sleeps on its stop event until the next step
// is due (at most 10 ms in the moving modes), and in the still modes until the UI thread changes
// the lighting (it is woken through LightingObserver) or 250 ms passed. Ticks that passed while it
// slept are replayed in one pass. While the command link is closed or the light output is suspended
// it checks back every 100 ms (50 ms while suspended) and neither steps nor runs the overrides.
//
// Threads: Start/Stop from the owning (UI) thread; the host's two queries from the light
// thread. The host and the lighting must outlive the thread (Stop in the owner's destructor).

#include "devices/LightCadence.h"
#include "devices/WorkerThread.h"
#include "devices/effects/SoftwareLighting.h"

#include <atomic>
#include <chrono>
#include <cstdint>

namespace ravo {

class LightThreadHost {
public:
    virtual ~LightThreadHost() = default;
    // Both are called on the light thread and must be cheap (atomics).
    virtual bool IsLinkOpen() const = 0;
    virtual bool IsLightOutputSuspended() const = 0;
    // Light thread: a new frame was published (the device may mirror it into its own light
    // buffer). Runs without any lighting lock held.
    virtual void OnFrame(const effects::LightBuffer& frame) { (void)frame; }
};

class LightThread : private effects::LightingObserver {
public:
    static constexpr std::chrono::milliseconds kTick = LightCadence::kTick;
    static constexpr std::chrono::milliseconds kStopLimit{1000};
    static constexpr std::chrono::milliseconds kLinkClosedWait{100};
    static constexpr std::chrono::milliseconds kSuspendedWait{50};

    LightThread(LightThreadHost& host, effects::SoftwareLighting& lighting);
    ~LightThread() override;
    LightThread(const LightThread&) = delete;
    LightThread& operator=(const LightThread&) = delete;

    // StartLightThread: stops a running thread first.
    void Start();
    // StopLightThread: bounded by kStopLimit.
    StopResult Stop();
    bool IsRunning() const { return m_worker.IsRunning(); }

    // Counters for measurements: wake-ups of the thread and mode steps run.
    uint64_t WakeUps() const { return m_wakeUps.load(std::memory_order_relaxed); }
    uint64_t Steps() const { return m_steps.load(std::memory_order_relaxed); }

private:
    void OnLightingChanged() override { m_worker.Wake(); }
    void Run(StopEvent& stop);

    LightThreadHost& m_host;
    effects::SoftwareLighting& m_lighting;
    WorkerThread m_worker;
    effects::LightBuffer m_frame{};  // light thread only
    uint64_t m_frameGeneration = 0;  // light thread only
    std::atomic<uint64_t> m_wakeUps{0};
    std::atomic<uint64_t> m_steps{0};
};

}  // namespace ravo
