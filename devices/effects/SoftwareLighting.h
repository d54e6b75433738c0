#pragma once

// The keyboard's software lighting as one device-owned object: the effect engine (state, light
// buffer, light settings and light copy), the per-light override list and the light sequence,
// shared between the light thread and the UI thread.
//
// Threads:
//  - Light thread: CurrentPacing and RunTick only.
//  - UI thread: everything else; CopyFrame from any thread.
// Lock rules (acquire in this order, never the reverse):
//  m_effectMutex  guards m_engine, m_copy, m_published, m_observer, m_overridesAnimated;
//  m_overrideMutex (the per-light lock) guards m_overrides;
//  m_sequenceMutex (the sequence lock) guards m_sequence and m_cursor.
// The light thread steps into the working buffer and publishes a finished frame (after the
// overrides) under m_effectMutex; CopyFrame reads only published frames, so a frame never shows
// a step without its overrides. Nothing on the tick or frame path allocates.

#include "devices/effects/EffectEngine.h"
#include "devices/effects/LightOverrides.h"
#include "devices/effects/LightSequencePlayer.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

namespace ravo::effects {

// Told when the UI thread changed something the light thread draws from, so a sleeping light
// thread can wake at once. Called with m_effectMutex held: must not call back.
class LightingObserver {
public:
    virtual ~LightingObserver() = default;
    virtual void OnLightingChanged() = 0;
};

struct LightPacing {
    ModePacing kind = ModePacing::Interval;
    uint8_t interval = 5;  // counted ticks between steps (kind Interval or Music)
    bool still = false;    // nothing on the keys changes until the UI thread changes something
};

class SoftwareLighting {
public:
    explicit SoftwareLighting(uint32_t seed = 0x2545F491u);
    SoftwareLighting(const SoftwareLighting&) = delete;
    SoftwareLighting& operator=(const SoftwareLighting&) = delete;

    void SetObserver(LightingObserver* observer);

    // Settings the steps read (the device's light settings) and the light copy that picks and
    // paces the step.
    void SetSettings(const EffectSettings& settings);
    EffectSettings Settings() const;
    void SetLightCopy(LightCopy copy);
    LightCopy GetLightCopy() const;

    // ResetEffect and the mode's start. Mode 20's custom colours are loaded by
    // CustomLights::Start before this.
    void StartMode(int mode);

    // Per-light overrides ("LightList"), restarted; light sequence, cursor back to 0.
    void ReplaceOverrides(std::vector<LightOverride> overrides);
    void ReplaceSequence(std::vector<SequenceStep> steps);
    size_t SequenceLength() const;
    int32_t SequenceCursor() const;

    // Light thread.
    LightPacing CurrentPacing() const;
    // One pass of the light thread: the mode's step `steps` times (or the sequence player, once
    // per iteration, in its modes), then the overrides advanced by `iterations`; then publish.
    void RunTick(unsigned steps, unsigned iterations, uint32_t nowMs);

    // The last published frame; returns its generation (changes whenever the frame did).
    uint64_t CopyFrame(LightBuffer& out) const;
    uint64_t FrameGeneration() const { return m_generation.load(std::memory_order_acquire); }

    // Changes made on the UI thread under the lock (custom colours, tests, TriggerKey, feeds);
    // the result is published.
    template <class F>
    void Mutate(F&& change) {
        std::scoped_lock lock(m_effectMutex);
        change(m_engine);
        PublishLocked();
        NotifyLocked();
    }
    template <class F>
    auto Read(F&& read) const {
        std::scoped_lock lock(m_effectMutex);
        return read(static_cast<const EffectEngine&>(m_engine));
    }

private:
    void PublishLocked();
    void NotifyLocked();

    mutable std::mutex m_effectMutex;
    EffectEngine m_engine;
    LightCopy m_copy;
    LightBuffer m_published{};
    LightingObserver* m_observer = nullptr;
    bool m_overridesAnimated = false;
    std::atomic<uint64_t> m_generation{0};

    mutable std::mutex m_overrideMutex;
    std::vector<LightOverride> m_overrides;

    mutable std::mutex m_sequenceMutex;
    std::vector<SequenceStep> m_sequence;
    int32_t m_cursor = 0;
};

}  // namespace ravo::effects
