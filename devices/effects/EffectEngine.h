#pragma once

// The keyboard's software lighting effects: one plain object holding the effect state, the
// light buffer (4 bytes per light: red, green, blue, brightness) and the light settings the
// steps read. Not thread-safe by itself; SoftwareLighting serialises its use between the light
// thread and the UI thread. Steps touch at most the 170 lights and never allocate.

#include "devices/effects/EffectState.h"
#include "devices/effects/LightTypes.h"

#include <cstdint>

namespace ravo::effects {

// How the light thread paces a mode.
enum class ModePacing {
    Interval,  // step when the tick count reaches Interval(mode, speed)
    Music,     // step when the tick count reaches 2, whatever the speed
    Player,    // light sequence player on every tick, no step
};

class EffectEngine {
public:
    explicit EffectEngine(uint32_t seed = 0x2545F491u);

    EffectState& State() { return m_state; }
    const EffectState& State() const { return m_state; }
    LightBuffer& Lights() { return m_lights; }
    const LightBuffer& Lights() const { return m_lights; }
    EffectSettings& Settings() { return m_settings; }
    const EffectSettings& Settings() const { return m_settings; }

    // Mode table.
    static ModePacing PacingOf(int mode);
    // Counted ticks between two steps of the mode at the speed level (0 = every tick).
    static uint8_t Interval(int mode, int speed);
    // Modes whose step paints the same frame every time until something else changes.
    static bool IsStillMode(int mode);

    // Runs the mode's step (nothing for the player modes). nowMs is a millisecond tick count.
    void Step(int mode, uint32_t nowMs);
    // ResetEffect, then the mode's start (mode 20's custom colours are loaded by the caller).
    void StartMode(int mode);

    // Shared routines.
    static uint8_t NextPhase(bool forward, uint8_t period, uint8_t phase, uint8_t step);
    static uint8_t FindKey(uint8_t light);
    void DecayLevel(size_t light, int variant);
    void TriggerKey(uint8_t light, int arg);
    void ApplyPlanes();
    void ShiftPlanes();
    void SweepPlanes();
    void ResetEffect();
    void ResetMusic();
    void IgniteColumns();
    void RotateColumns(bool up);
    void ClearLevels();

    // Starts.
    void StartHueSpread();
    void StartTwinkle();
    void StartRandomPulses();
    void StartCentreWave();
    void StartSideWaves();

    // Base steps.
    void StepBreatheBase();
    void StepStaticBase();
    void StepBreatheFourColours();
    void StepSpectrum();
    void StepFlash(uint32_t nowMs);
    void StepFlashFourColours(uint32_t nowMs);
    void StepOff();

    // Keyboard steps.
    void StepBreathe();
    void StepStatic();
    void StepColumnWave();
    void StepColumnPulse();
    void StepKeyWave();
    void StepRowWave();
    void StepRingWave();
    void StepHueSpread();
    void StepPresetColour();
    void StepRandomSparks();
    void StepTwinkle();
    void StepRandomPulses();
    void StepSnake();
    void StepRipple();
    void StepRipplePlanes();
    void StepSweep();
    void StepCentreWave();
    void StepSideWaves();
    void StepRiseFall();
    void StepScripted();
    void StepCustomLights();
    void StepMusic();
    void StepExternalColour();

    // Uniform random number 0..n-1.
    uint32_t Random(uint32_t n);

private:
    uint8_t FullBrightness() const;
    uint8_t Scaled(uint8_t x) const;
    Rgb SettingsColour() const;
    Rgb EffectColour(size_t light) const;
    void Paint(size_t light, Rgb colour, uint8_t brightness);
    void PaintAll(Rgb colour, uint8_t brightness);
    void PaintColumn(size_t column, Rgb colour, uint8_t brightness);
    void SetPlaneBit(size_t column, unsigned row);
    bool TimeToFlash(uint32_t nowMs);
    void LightUp(size_t light);

    EffectState m_state;
    LightBuffer m_lights{};
    EffectSettings m_settings;
    uint32_t m_random;
};

}  // namespace ravo::effects
