#include "devices/effects/EffectEngine.h"

#include "devices/effects/EffectTables.h"

#include <algorithm>
#include <array>

namespace ravo::effects {

using namespace tables;

namespace {

constexpr uint8_t kHueRange = 192;

// Levels read from files or devices may be out of range; the tables only have five rows.
size_t Level(uint8_t level) {
    return std::min<size_t>(level, 4);
}

// Light loops use size_t indices: GCC 12 at -O2 miscompiled a uint8_t-indexed 170-light loop
// into nothing.
bool IsLight(size_t k) {
    return k < kLightCount;
}

uint8_t Sub(uint8_t value, uint8_t amount) {
    // A level never wraps round to bright.
    return value > amount ? static_cast<uint8_t>(value - amount) : 0;
}

}  // namespace

EffectEngine::EffectEngine(uint32_t seed) : m_random(seed == 0 ? 1 : seed) {}

// ---- mode table -------------------------------------------------------------------------

ModePacing EffectEngine::PacingOf(int mode) {
    if (mode == 0 || mode == 19 || mode > 30 || mode < 0) {
        return ModePacing::Player;
    }
    if (mode == 29) {
        return ModePacing::Music;
    }
    return ModePacing::Interval;
}

uint8_t EffectEngine::Interval(int mode, int speed) {
    static constexpr uint8_t kDefault[5] = {5, 4, 3, 2, 1};
    static constexpr uint8_t kMode12[5] = {3, 2, 2, 1, 1};
    static constexpr uint8_t kMode30[5] = {1, 0, 0, 0, 0};
    const size_t s = speed < 0 ? 0 : std::min(speed, 4);
    switch (mode) {
        case 12:
            return kMode12[s];
        case 16:
            return 4;
        case 18:
            return 1;
        case 29:
            return 2;
        case 30:
            return kMode30[s];
        default:
            return kDefault[s];
    }
}

bool EffectEngine::IsStillMode(int mode) {
    switch (mode) {
        case 6:
        case 7:
        case 17:
        case 20:
        case 25:
        case 28:
            return true;
        default:
            return false;
    }
}

void EffectEngine::Step(int mode, uint32_t nowMs) {
    switch (mode) {
        case 1:
            StepColumnWave();
            break;
        case 2:
            StepColumnPulse();
            break;
        case 3:
            StepKeyWave();
            break;
        case 4:
            StepSpectrum();
            break;
        case 5:
            StepBreathe();
            break;
        case 6:
            StepStatic();
            break;
        case 7:
        case 25:
            StepRiseFall();
            break;
        case 8:
            StepRipplePlanes();
            break;
        case 9:
            StepSweep();
            break;
        case 10:
            StepRandomSparks();
            break;
        case 11:
            StepHueSpread();
            break;
        case 12:
            StepRowWave();
            break;
        case 13:
            StepCentreWave();
            break;
        case 14:
            StepScripted();
            break;
        case 15:
            StepTwinkle();
            break;
        case 16:
            StepSideWaves();
            break;
        case 17:
            StepPresetColour();
            break;
        case 18:
            StepRingWave();
            break;
        case 20:
            StepCustomLights();
            break;
        case 21:
            StepSnake();
            break;
        case 22:
            StepRandomPulses();
            break;
        case 23:
            StepFlash(nowMs);
            break;
        case 24:
            StepRipple();
            break;
        case 26:
            StepBreatheFourColours();
            break;
        case 27:
            StepFlashFourColours(nowMs);
            break;
        case 28:
            StepOff();
            break;
        case 29:
            StepMusic();
            break;
        case 30:
            StepExternalColour();
            break;
        default:
            break;  // the light sequence player draws these
    }
}

void EffectEngine::StartMode(int mode) {
    ResetEffect();
    switch (mode) {
        case 13:
            StartCentreWave();
            break;
        case 15:
            StartTwinkle();
            break;
        case 16:
            StartSideWaves();
            break;
        case 22:
            StartRandomPulses();
            break;
        default:
            StartHueSpread();
            break;
    }
}

// ---- helpers ----------------------------------------------------------------------------

uint32_t EffectEngine::Random(uint32_t n) {
    // xorshift32: cheap, allocation-free and private to this engine.
    uint32_t x = m_random;
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    m_random = x;
    return n == 0 ? 0 : x % n;
}

uint8_t EffectEngine::FullBrightness() const {
    return kBrightness[Level(m_settings.brightness)];
}

uint8_t EffectEngine::Scaled(uint8_t x) const {
    return static_cast<uint8_t>((FullBrightness() * x) >> 8);
}

Rgb EffectEngine::SettingsColour() const {
    return Rgb{m_settings.red, m_settings.green, m_settings.blue};
}

Rgb EffectEngine::EffectColour(size_t light) const {
    return m_settings.multicolour ? kWheel[m_state.hue[light]] : SettingsColour();
}

void EffectEngine::Paint(size_t light, Rgb colour, uint8_t brightness) {
    if (IsLight(light)) {
        m_lights[light] = LightEntry{colour.r, colour.g, colour.b, brightness};
    }
}

void EffectEngine::PaintAll(Rgb colour, uint8_t brightness) {
    m_lights.fill(LightEntry{colour.r, colour.g, colour.b, brightness});
}

void EffectEngine::PaintColumn(size_t column, Rgb colour, uint8_t brightness) {
    for (size_t r = 0; r < kRows; ++r) {
        Paint(kMatrix[column][r], colour, brightness);
    }
}

void EffectEngine::SetPlaneBit(size_t column, unsigned row) {
    for (auto& plane : m_state.planes) {
        plane[column] = static_cast<uint8_t>(plane[column] | (1u << row));
    }
}

void EffectEngine::LightUp(size_t light) {
    if (!IsLight(light)) {
        return;
    }
    m_state.level[light] = 255;
    if (m_settings.multicolour) {
        m_state.hue[light] = static_cast<uint8_t>(Random(kHueRange));
    }
}

// ---- shared routines --------------------------------------------------------------------

uint8_t EffectEngine::NextPhase(bool forward, uint8_t period, uint8_t phase, uint8_t step) {
    if (forward) {
        const auto next = static_cast<uint8_t>(phase + step);
        return next >= period ? 0 : next;
    }
    const auto next = static_cast<uint8_t>(phase - step);
    return next >= period ? static_cast<uint8_t>(period - step) : next;
}

uint8_t EffectEngine::FindKey(uint8_t light) {
    // Membership in the key order list, looked up instead of searched: the ring steps ask
    // for every light they paint.
    static constexpr std::array<bool, kLightCount> kInKeyOrder = [] {
        std::array<bool, kLightCount> in{};
        for (uint8_t k : kKeyOrder) {
            if (k < kLightCount) {
                in[k] = true;
            }
        }
        return in;
    }();
    return IsLight(light) && kInKeyOrder[light] ? light : kNoLight;
}

void EffectEngine::DecayLevel(size_t light, int variant) {
    if (!IsLight(light)) {
        return;
    }
    uint8_t& l = m_state.level[light];
    if (variant == 0) {
        if (l >= 128) {
            l = Sub(l, 40);
        } else if (l & 0x40) {
            l = Sub(l, 30);
        } else if (l & 0x20) {
            l = Sub(l, 15);
        } else if (l > 16) {
            l = Sub(l, 8);
        } else if (l != 0) {
            l = Sub(l, 1);
        }
    } else if (variant == 29) {
        if (l & 0x90) {
            l = Sub(l, 45);
        } else if (l & 0x70) {
            l = Sub(l, 35);
        } else if (l != 0) {
            l = Sub(l, 1);
        }
    } else {
        if (l & 0x80) {
            l = Sub(l, 40);
        } else if (l & 0x40) {
            l = Sub(l, 30);
        } else if (l & 0x20) {
            l = Sub(l, 10);
        } else if (l > 16) {
            l = Sub(l, 8);
        } else if (l != 0) {
            l = Sub(l, 1);
        }
    }
}

void EffectEngine::TriggerKey(uint8_t light, int arg) {
    if (arg != 1 || !IsLight(light)) {
        return;
    }
    for (size_t c = 0; c < kColumns; ++c) {
        for (unsigned r = 0; r < kRows; ++r) {
            if (kMatrix[c][r] == light) {
                SetPlaneBit(c, r);
                return;
            }
        }
    }
}

void EffectEngine::ApplyPlanes() {
    const auto& p = m_state.planes;
    for (size_t c = 0; c < kColumns; ++c) {
        const unsigned bits = p[0][c] | p[1][c] | p[2][c] | p[3][c];
        for (unsigned r = 0; r < kRows; ++r) {
            if (bits & (1u << r)) {
                LightUp(kMatrix[c][r]);
            }
        }
    }
}

void EffectEngine::ShiftPlanes() {
    auto& p1 = m_state.planes[0];
    auto& p2 = m_state.planes[1];
    auto& p3 = m_state.planes[2];
    auto& p4 = m_state.planes[3];
    p1[0] = static_cast<uint8_t>(p1[0] >> 1);
    p4[0] = static_cast<uint8_t>(p4[0] << 1);
    for (size_t c = 1; c < kColumns; ++c) {
        p1[c - 1] = static_cast<uint8_t>(p1[c - 1] | p1[c]);
        p1[c] = static_cast<uint8_t>(p1[c] >> 1);
        p4[c - 1] = static_cast<uint8_t>(p4[c - 1] | p4[c]);
        p4[c] = static_cast<uint8_t>(p4[c] << 1);
    }
    p2[22] = static_cast<uint8_t>(p2[22] >> 1);
    p3[22] = static_cast<uint8_t>(p3[22] << 1);
    for (size_t c = kColumns - 1; c-- > 0;) {
        p2[c + 1] = static_cast<uint8_t>(p2[c + 1] | p2[c]);
        p2[c] = static_cast<uint8_t>(p2[c] >> 1);
        p3[c + 1] = static_cast<uint8_t>(p3[c + 1] | p3[c]);
        p3[c] = static_cast<uint8_t>(p3[c] << 1);
    }
}

void EffectEngine::SweepPlanes() {
    auto& p2 = m_state.planes[1];
    auto& p4 = m_state.planes[3];
    m_state.planes[0].fill(0);
    m_state.planes[2].fill(0);
    for (size_t c = 1; c < kColumns; ++c) {
        p4[c - 1] = p4[c];
    }
    p4[22] = 0;
    for (size_t c = kColumns - 1; c-- > 0;) {
        p2[c + 1] = p2[c];
    }
    p2[0] = 0;
}

void EffectEngine::ResetEffect() {
    m_state.phase = 0;
    m_state.planeCounter = 0;
    m_state.hue.fill(0);
    m_state.level.fill(0);
    for (auto& plane : m_state.planes) {
        plane.fill(0);
    }
    ResetMusic();
}

void EffectEngine::ResetMusic() {
    m_state.musicLevels.fill(0);
    m_state.musicColumnFlags.fill(1);
}

void EffectEngine::IgniteColumns() {
    for (uint8_t c = 0; c <= 8; ++c) {
        if (m_state.columnFlags[c] != 0) {
            m_state.level[c] = 255;
        }
    }
}

void EffectEngine::RotateColumns(bool up) {
    auto& f = m_state.columnFlags;
    if (up) {
        std::rotate(f.rbegin(), f.rbegin() + 1, f.rend());
    } else {
        std::rotate(f.begin(), f.begin() + 1, f.end());
    }
}

void EffectEngine::ClearLevels() {
    m_state.level.fill(0);
    m_state.columnFlags.fill(0);
}

// ---- starts -----------------------------------------------------------------------------

void EffectEngine::StartHueSpread() {
    uint8_t s = 0;
    for (auto& h : m_state.hue) {
        s = static_cast<uint8_t>((s + 33) % kHueRange);
        h = s;
    }
}

void EffectEngine::StartTwinkle() {
    for (size_t c = 0; c < kColumns; ++c) {
        for (size_t j = 0; j < 7; ++j) {
            const uint8_t k = kPulseStart[c][j];
            if (IsLight(k)) {
                m_state.level[k] = kTwinklePhase[6 * c + j];
                m_state.hue[k] = static_cast<uint8_t>(7 * c);
            }
        }
    }
}

void EffectEngine::StartRandomPulses() {
    for (size_t c = 0; c < kColumns; ++c) {
        auto a = static_cast<uint8_t>(192 - 8 * c);
        for (size_t j = 0; j < 7; ++j) {
            a = a >= 35 ? static_cast<uint8_t>(a - 35) : static_cast<uint8_t>(a + 158);
            const uint8_t k = kPulseStart[c][j];
            if (IsLight(k)) {
                m_state.pulse[k] = a;
                m_state.hue[k] = static_cast<uint8_t>(7 * c);
            }
        }
    }
}

void EffectEngine::StartCentreWave() {
    SetPlaneBit(9, 6);
}

void EffectEngine::StartSideWaves() {
    SetPlaneBit(1, 0);
}

// ---- base steps -------------------------------------------------------------------------

void EffectEngine::StepBreatheBase() {
    m_state.phase = NextPhase(m_settings.direction != 0, 128, m_state.phase, 1);
    if (m_state.phase == 0) {
        m_state.colourIndex = static_cast<uint8_t>(m_state.colourIndex + 16);
        if (m_state.colourIndex > 192) {
            m_state.colourIndex = 0;
        }
    }
    const Rgb colour = m_settings.multicolour ? kWheel[m_state.colourIndex] : SettingsColour();
    PaintAll(colour, Scaled(kBreath128[m_state.phase]));
}

void EffectEngine::StepStaticBase() {
    PaintAll(SettingsColour(), FullBrightness());
}

void EffectEngine::StepBreatheFourColours() {
    m_state.phase = NextPhase(m_settings.direction != 0, 128, m_state.phase, 1);
    if (m_state.phase == 0) {
        m_state.colourIndex = static_cast<uint8_t>(m_state.colourIndex + 1);
        if (m_state.colourIndex > 3) {
            m_state.colourIndex = 0;
        }
    }
    // Another mode may have left a wheel index here.
    const uint8_t q = m_state.colourIndex > 3 ? 0 : m_state.colourIndex;
    PaintAll(kFourColours[q], Scaled(kBreath128[m_state.phase]));
}

void EffectEngine::StepSpectrum() {
    m_state.phase = NextPhase(m_settings.direction != 0, kHueRange, m_state.phase, 1);
    PaintAll(kWheel[m_state.phase], FullBrightness());
}

bool EffectEngine::TimeToFlash(uint32_t nowMs) {
    const uint32_t period = kSlowInterval[Level(m_settings.speed)] * 200u;
    if (nowMs - m_state.blinkTime < period) {
        return false;
    }
    m_state.blinkState = m_state.blinkState ? 0 : 1;
    m_state.blinkTime = nowMs;
    return true;
}

void EffectEngine::StepFlash(uint32_t nowMs) {
    if (TimeToFlash(nowMs)) {
        m_state.phase = static_cast<uint8_t>(m_state.phase + 16);
        if (m_state.phase >= kHueRange) {
            m_state.phase = 0;
        }
    }
    if (!m_state.blinkState) {
        StepOff();
        return;
    }
    const Rgb colour = m_settings.multicolour ? kWheel[m_state.phase] : SettingsColour();
    PaintAll(colour, FullBrightness());
}

void EffectEngine::StepFlashFourColours(uint32_t nowMs) {
    if (TimeToFlash(nowMs)) {
        m_state.phase = static_cast<uint8_t>(m_state.phase + 1);
        if (m_state.phase > 3) {
            m_state.phase = 0;
        }
    }
    if (!m_state.blinkState) {
        StepOff();
        return;
    }
    const uint8_t q = m_state.phase > 3 ? 0 : m_state.phase;
    PaintAll(kFourColours[q], FullBrightness());
}

void EffectEngine::StepOff() {
    m_lights.fill(LightEntry{});
}

// ---- keyboard steps ---------------------------------------------------------------------

void EffectEngine::StepBreathe() {
    m_state.phase = m_state.phase >= 127 ? 0 : static_cast<uint8_t>(m_state.phase + 1);
    const uint8_t brightness = Scaled(kBreath128[m_state.phase]);
    for (size_t c = 0; c < kColumns; ++c) {
        const Rgb colour = m_settings.multicolour ? kWheel[7 * c] : SettingsColour();
        PaintColumn(c, colour, brightness);
    }
}

void EffectEngine::StepStatic() {
    if (!m_settings.multicolour) {
        PaintAll(SettingsColour(), FullBrightness());
        return;
    }
    for (size_t i = 0; i < std::size(kRings); ++i) {
        const Rgb colour = kWheel[138 - 12 * i];
        for (uint8_t k : kRings[i].lights) {
            if (FindKey(k) != kNoLight) {
                Paint(k, colour, FullBrightness());
            }
        }
    }
}

void EffectEngine::StepColumnWave() {
    const bool forward = m_settings.direction != 0;
    if (m_settings.multicolour) {
        m_state.phase = NextPhase(forward, kHueRange, m_state.phase, 1);
        unsigned b = (m_state.phase + 1u) % kHueRange;
        for (size_t c = 0; c < kColumns; ++c) {
            PaintColumn(c, kWheel[b], FullBrightness());
            b = (b + 7) % kHueRange;
        }
        return;
    }
    m_state.phase = NextPhase(forward, 96, m_state.phase, 1);
    unsigned x = (m_state.phase + 1u) % 96;
    for (size_t c = 0; c < kColumns; ++c) {
        PaintColumn(c, SettingsColour(), Scaled(kBreath96[x]));
        x = (x + 7) % 96;
    }
}

void EffectEngine::StepColumnPulse() {
    const bool forward = m_settings.direction != 0;
    if (m_settings.multicolour) {
        m_state.phase = NextPhase(forward, kHueRange, m_state.phase, 1);
        unsigned a = m_state.phase % kHueRange;
        for (size_t c = 0; c < kColumns; ++c) {
            PaintColumn(c, kWheel[a], FullBrightness());
            a = (a + 2) % kHueRange;
        }
        return;
    }
    m_state.phase = NextPhase(forward, 96, m_state.phase, 1);
    unsigned x = m_state.phase % 96;
    for (size_t c = 0; c < kColumns; ++c) {
        PaintColumn(c, SettingsColour(), Scaled(kPulse[x]));
        x = (x + 1) % 96;
    }
}

void EffectEngine::StepKeyWave() {
    const bool forward = m_settings.direction != 0;
    if (m_settings.multicolour) {
        m_state.phase = NextPhase(forward, kHueRange, m_state.phase, 1);
        unsigned a = m_state.phase % kHueRange;
        for (uint8_t k : kKeyOrder) {
            if (IsLight(k)) {
                Paint(k, kWheel[a], FullBrightness());
                a = (a + 5) % kHueRange;
            }
        }
        return;
    }
    m_state.phase = NextPhase(forward, 96, m_state.phase, 1);
    unsigned x = m_state.phase % 96;
    for (uint8_t k : kKeyOrder) {
        if (IsLight(k)) {
            Paint(k, SettingsColour(), Scaled(kBreath96[x]));
            x = (x + 5) % 96;
        }
    }
}

void EffectEngine::StepRowWave() {
    m_state.phase = NextPhase(m_settings.direction != 0, kHueRange, m_state.phase, 1);
    unsigned b = (m_state.phase + 1u) % kHueRange;
    for (size_t r = 0; r < kRows; ++r) {
        for (size_t c = 0; c < kColumns; ++c) {
            Paint(kMatrix[c][r], kWheel[b], FullBrightness());
        }
        b = (b + 24) % kHueRange;
    }
}

void EffectEngine::StepRingWave() {
    m_state.phase = NextPhase(m_settings.direction != 0, kHueRange, m_state.phase, 1);
    unsigned a = m_state.phase % kHueRange;
    for (const LightRow& ring : kRings) {
        a = (a + 7) % kHueRange;
        for (uint8_t k : ring.lights) {
            if (FindKey(k) != kNoLight) {
                Paint(k, kWheel[a], FullBrightness());
            }
        }
    }
}

void EffectEngine::StepHueSpread() {
    for (size_t i = 0; i < kLightCount; ++i) {
        uint8_t& h = m_state.hue[i];
        h = static_cast<uint8_t>(static_cast<uint8_t>(h + 1) % kHueRange);
        Paint(i, kWheel[h], FullBrightness());
    }
}

void EffectEngine::StepPresetColour() {
    uint8_t index = 174;
    switch (m_settings.ledMode) {
        case 1:
            index = 25;
            break;
        case 2:
            index = 70;
            break;
        case 3:
            index = 95;
            break;
        default:
            break;
    }
    m_state.phase = index;
    PaintAll(kWheel[index], FullBrightness());
}

void EffectEngine::StepRandomSparks() {
    for (int n = 0; n < 6; ++n) {
        const uint8_t k = kKeyOrder[kRandomKeys[Random(111)]];
        if (IsLight(k)) {
            m_state.hue[k] = static_cast<uint8_t>(Random(kHueRange));
            m_state.level[k] = 255;
        }
    }
    for (size_t i = 0; i < kLightCount; ++i) {
        DecayLevel(i, 10);
        Paint(i, EffectColour(i), Scaled(m_state.level[i]));
    }
}

void EffectEngine::StepTwinkle() {
    for (uint8_t k : kKeyOrder) {
        if (!IsLight(k)) {
            continue;
        }
        uint8_t& l = m_state.level[k];
        l = static_cast<uint8_t>(l + 2);
        if (l >= kHueRange) {
            l = 0;
            m_state.hue[k] = static_cast<uint8_t>(Random(kHueRange));
        }
        Paint(k, EffectColour(k), Scaled(kPulse[l]));
    }
}

void EffectEngine::StepRandomPulses() {
    for (uint8_t k : kKeyOrder) {
        if (!IsLight(k)) {
            continue;
        }
        uint8_t& s = m_state.pulse[k];
        s = static_cast<uint8_t>(s + 1);
        if (s >= kHueRange) {
            s = 0;
            m_state.hue[k] = static_cast<uint8_t>(Random(kHueRange));
        }
        Paint(k, EffectColour(k), Scaled(kPulse[s]));
    }
}

void EffectEngine::StepSnake() {
    uint8_t& phase = m_state.phase;
    const auto snakeLight = [](uint8_t p) { return p < kSnake.size() ? kSnake[p] : kNoLight; };
    if (m_settings.direction != 0) {
        if (phase > 169) {
            phase = 0;
        } else {
            const uint8_t k = snakeLight(phase);
            if (IsLight(k)) {
                m_state.level[k] = 254;
            }
            ++phase;
        }
    } else if (phase != 0) {
        const uint8_t k = snakeLight(phase);
        if (IsLight(k)) {
            m_state.level[k] = 254;
        }
        --phase;
    } else {
        phase = 170;
    }
    for (uint8_t k : kKeyOrder) {
        if (IsLight(k)) {
            DecayLevel(k, 21);
            Paint(k, EffectColour(k), Scaled(m_state.level[k]));
        }
    }
}

void EffectEngine::StepRipple() {
    m_state.phase = NextPhase(m_settings.direction != 0, 52, m_state.phase, 1);
    for (uint8_t k : kRippleFrames[m_state.phase].lights) {
        if (IsLight(k)) {
            m_state.level[k] = 255;
            m_state.hue[k] = 0;
        }
    }
    for (size_t i = 0; i < kLightCount; ++i) {
        uint8_t& l = m_state.level[i];
        uint8_t& h = m_state.hue[i];
        if (l != 0) {
            l = Sub(l, 5);
        }
        if (h != 255) {
            h = static_cast<uint8_t>(h + 3);
        }
        if (m_settings.multicolour) {
            Paint(i, kWheel[h], FullBrightness());
        } else {
            Paint(i, SettingsColour(), Scaled(l));
        }
    }
}

void EffectEngine::StepRipplePlanes() {
    ApplyPlanes();
    ShiftPlanes();
    for (size_t i = 0; i < kLightCount; ++i) {
        DecayLevel(i, 8);
        m_state.hue[i] = NextPhase(true, kHueRange, m_state.hue[i], 7);
        Paint(i, EffectColour(i), Scaled(m_state.level[i]));
    }
}

void EffectEngine::StepSweep() {
    ApplyPlanes();
    SweepPlanes();
    for (size_t i = 0; i < kLightCount; ++i) {
        DecayLevel(i, 9);
        Paint(i, EffectColour(i), Scaled(m_state.level[i]));
    }
}

void EffectEngine::StepCentreWave() {
    const auto& p = m_state.planes;
    const unsigned v = p[0][9] | p[1][9] | p[2][9] | p[3][9];
    if (v == 1) {
        SetPlaneBit(9, 0);
    } else if (v == 64) {
        SetPlaneBit(9, 6);
    }
    if (m_state.planeCounter > 1) {
        m_state.planeCounter = 0;
        ApplyPlanes();
        ShiftPlanes();
    }
    ++m_state.planeCounter;
    for (size_t i = 0; i < kLightCount; ++i) {
        DecayLevel(i, 13);
        Paint(i, EffectColour(i), Scaled(m_state.level[i]));
    }
}

void EffectEngine::StepSideWaves() {
    const auto& p = m_state.planes;
    if ((p[0][1] | p[1][1] | p[2][1] | p[3][1]) == 1) {
        SetPlaneBit(1, 0);
    }
    if ((p[0][22] | p[1][22] | p[2][22] | p[3][22]) == 64) {
        SetPlaneBit(22, 6);
    }
    ApplyPlanes();
    ShiftPlanes();
    for (uint8_t k : kKeyOrder) {
        if (IsLight(k)) {
            DecayLevel(k, 16);
            Paint(k, EffectColour(k), Scaled(m_state.level[k]));
        }
    }
}

void EffectEngine::StepRiseFall() {
    for (size_t i = 0; i < kLightCount; ++i) {
        Paint(i, EffectColour(i), Scaled(m_state.level[i]));
    }
}

void EffectEngine::StepScripted() {
    uint8_t& stage = m_state.planeCounter;
    uint8_t& step = m_state.phase;
    switch (stage) {
        case 0:
            if (step < std::size(kScriptRows)) {
                for (uint8_t k : kScriptRows[step].lights) {
                    LightUp(k);
                }
            }
            ++step;
            if (step >= std::size(kScriptRows)) {
                step = 0;
                stage = 1;
            }
            break;
        case 1:
            if (step <= 30) {
                for (uint8_t k : kScriptPairs[step % 16]) {
                    LightUp(k);
                }
                ++step;
            } else if (m_state.level[72] == 0) {
                stage = 2;
                step = 0;
            }
            break;
        case 2:
            TriggerKey(51, 1);
            stage = 3;
            break;
        case 3:
            ApplyPlanes();
            ShiftPlanes();
            if (m_state.level[124] != 0) {
                stage = 4;
            }
            break;
        case 4:
            if (m_state.level[124] == 0) {
                stage = 0;
                step = 0;
            }
            break;
        default:
            // Another mode left its counter here: start the script over.
            stage = 0;
            step = 0;
            break;
    }
    for (size_t i = 0; i < kLightCount; ++i) {
        DecayLevel(i, 14);
        Paint(i, EffectColour(i), Scaled(m_state.level[i]));
    }
}

void EffectEngine::StepCustomLights() {
    const uint8_t full = FullBrightness();
    for (auto& light : m_lights) {
        light.brightness = full;
    }
}

void EffectEngine::StepMusic() {
    // The visualisations come with the music window; until then nothing is drawn, as for an
    // unknown visualisation.
}

void EffectEngine::StepExternalColour() {
    const auto& e = m_state.externalColour;
    PaintAll(Rgb{static_cast<uint8_t>(e[0] & 0xFF), static_cast<uint8_t>(e[1] & 0xFF),
                 static_cast<uint8_t>(e[2] & 0xFF)},
             FullBrightness());
}

}  // namespace ravo::effects
