#include "devices/effects/SoftwareLighting.h"

#include <algorithm>
#include <cstring>

namespace ravo::effects {

namespace {
// A late wake-up never replays more than this many iterations at once.
constexpr unsigned kMaxIterations = 64;
}  // namespace

SoftwareLighting::SoftwareLighting(uint32_t seed) : m_engine(seed) {}

void SoftwareLighting::SetObserver(LightingObserver* observer) {
    std::scoped_lock lock(m_effectMutex);
    m_observer = observer;
}

void SoftwareLighting::SetSettings(const EffectSettings& settings) {
    std::scoped_lock lock(m_effectMutex);
    m_engine.Settings() = settings;
    NotifyLocked();
}

EffectSettings SoftwareLighting::Settings() const {
    std::scoped_lock lock(m_effectMutex);
    return m_engine.Settings();
}

void SoftwareLighting::SetLightCopy(LightCopy copy) {
    std::scoped_lock lock(m_effectMutex);
    m_copy = copy;
    NotifyLocked();
}

LightCopy SoftwareLighting::GetLightCopy() const {
    std::scoped_lock lock(m_effectMutex);
    return m_copy;
}

void SoftwareLighting::StartMode(int mode) {
    std::scoped_lock lock(m_effectMutex);
    m_engine.StartMode(mode);
    NotifyLocked();
}

void SoftwareLighting::ReplaceOverrides(std::vector<LightOverride> overrides) {
    std::scoped_lock lock(m_effectMutex);
    {
        std::scoped_lock listLock(m_overrideMutex);
        m_overrides = std::move(overrides);
        LightOverrides::Restart(m_overrides);
        m_overridesAnimated = LightOverrides::IsAnimated(m_overrides);
    }
    NotifyLocked();
}

void SoftwareLighting::ReplaceSequence(std::vector<SequenceStep> steps) {
    std::scoped_lock lock(m_effectMutex);
    {
        std::scoped_lock listLock(m_sequenceMutex);
        m_sequence = std::move(steps);
        m_cursor = 0;
    }
    NotifyLocked();
}

size_t SoftwareLighting::SequenceLength() const {
    std::scoped_lock lock(m_sequenceMutex);
    return m_sequence.size();
}

int32_t SoftwareLighting::SequenceCursor() const {
    std::scoped_lock lock(m_sequenceMutex);
    return m_cursor;
}

LightPacing SoftwareLighting::CurrentPacing() const {
    std::scoped_lock lock(m_effectMutex);
    LightPacing pacing;
    pacing.kind = EffectEngine::PacingOf(m_copy.mode);
    pacing.interval = EffectEngine::Interval(m_copy.mode, m_copy.speed);
    pacing.still = pacing.kind == ModePacing::Interval && EffectEngine::IsStillMode(m_copy.mode) &&
                   !m_overridesAnimated;
    return pacing;
}

void SoftwareLighting::RunTick(unsigned steps, unsigned iterations, uint32_t nowMs) {
    iterations = std::min(iterations, kMaxIterations);
    steps = std::min(steps, kMaxIterations);
    std::scoped_lock lock(m_effectMutex);
    LightBuffer& lights = m_engine.Lights();
    const int mode = m_copy.mode;
    if (EffectEngine::PacingOf(mode) == ModePacing::Player) {
        const SequenceRef sequence{m_sequenceMutex, m_sequence, m_cursor};
        for (unsigned i = 0; i < iterations; ++i) {
            LightSequencePlayer::Play(sequence, lights, m_engine.Settings().speed, nowMs);
        }
    } else {
        for (unsigned i = 0; i < steps; ++i) {
            m_engine.Step(mode, nowMs);
        }
    }
    if (iterations > 0) {
        std::scoped_lock listLock(m_overrideMutex);
        LightOverrides::Apply(m_overrides, lights, nowMs, iterations);
    }
    PublishLocked();
}

uint64_t SoftwareLighting::CopyFrame(LightBuffer& out) const {
    std::scoped_lock lock(m_effectMutex);
    out = m_published;
    return m_generation.load(std::memory_order_relaxed);
}

void SoftwareLighting::PublishLocked() {
    const LightBuffer& lights = m_engine.Lights();
    if (std::memcmp(lights.data(), m_published.data(), sizeof(LightBuffer)) == 0) {
        return;
    }
    m_published = lights;
    m_generation.fetch_add(1, std::memory_order_release);
}

void SoftwareLighting::NotifyLocked() {
    if (m_observer) {
        m_observer->OnLightingChanged();
    }
}

}  // namespace ravo::effects
