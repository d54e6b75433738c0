#include "devices/LightThread.h"

#include "devices/ThreadLog.h"

namespace ravo {

namespace {

using Clock = StopEvent::Clock;

uint32_t TickCountMs(Clock::time_point t) {
    // A 32-bit millisecond count that wraps, as the effects' timers expect.
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(t.time_since_epoch()).count());
}

}  // namespace

LightThread::LightThread(LightThreadHost& host, effects::SoftwareLighting& lighting)
    : m_host(host), m_lighting(lighting) {}

LightThread::~LightThread() {
    Stop();
}

void LightThread::Start() {
    Stop();
    m_lighting.SetObserver(this);
    m_worker.Start([this](StopEvent& stop) { Run(stop); }, "ravo-light");
}

StopResult LightThread::Stop() {
    const StopResult result = m_worker.Stop(kStopLimit);
    if (result != StopResult::NotRunning) {
        m_lighting.SetObserver(nullptr);
    }
    return result;
}

void LightThread::Run(StopEvent& stop) {
    LightCadence cadence(Clock::now());
    Clock::time_point deadline = Clock::now() + kTick;
    bool parked = false;
    for (;;) {
        if (stop.WaitUntil(deadline)) {
            ThreadDebugLine("KB灯光线程设定退出");
            return;
        }
        m_wakeUps.fetch_add(1, std::memory_order_relaxed);
        const Clock::time_point now = Clock::now();
        if (!m_host.IsLinkOpen()) {
            deadline = now + kLinkClosedWait;
            parked = true;
            continue;
        }
        if (m_host.IsLightOutputSuspended()) {
            deadline = now + kSuspendedWait;
            parked = true;
            continue;
        }
        if (parked) {
            parked = false;
            cadence.Resume(now);
        }
        const LightCadence::Pass pass = cadence.Advance(now, m_lighting.CurrentPacing());
        if (pass.ticks > 0) {
            m_steps.fetch_add(pass.steps, std::memory_order_relaxed);
            m_lighting.RunTick(pass.steps, pass.ticks, TickCountMs(now));
            if (m_lighting.FrameGeneration() != m_frameGeneration) {
                m_frameGeneration = m_lighting.CopyFrame(m_frame);
                m_host.OnFrame(m_frame);
            }
        }
        deadline = pass.next;
    }
}

}  // namespace ravo
