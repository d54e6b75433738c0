#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ravo {

// The lighting-and-system record the keyboard keeps per on-board profile. Record n lies at
// device address 25 x n; the byte at address 0 is the current on-board profile.
inline constexpr size_t kLightRecordBytes = 26;
inline constexpr uint32_t kLightRecordStride = 25;
using LightRecord = std::array<uint8_t, kLightRecordBytes>;

namespace light_record {
inline constexpr size_t kProfile = 0;
inline constexpr size_t kMode = 1;
inline constexpr size_t kBrightness = 2;
inline constexpr size_t kSpeed = 3;  // 4 - the program's speed level
inline constexpr size_t kDirection = 4;
inline constexpr size_t kMultiColour = 5;
inline constexpr size_t kRed = 6;
inline constexpr size_t kGreen = 7;
inline constexpr size_t kBlue = 8;
inline constexpr size_t kProfileNibble = 16;
inline constexpr size_t kLedSubMode = 18;
inline constexpr size_t kWFlag = 19;
inline constexpr size_t kKey6Flag = 20;
inline constexpr size_t kWinFlag = 21;
inline constexpr size_t kPollingRate = 22;
inline constexpr size_t kCustomGroup = 25;
}  // namespace light_record

// The 14 bytes of a lighting choice ("LightInfo").
inline constexpr size_t kLightSettingsBytes = 14;
using LightSettingsBytes = std::array<uint8_t, kLightSettingsBytes>;

namespace light_settings {
inline constexpr size_t kMode = 0;
inline constexpr size_t kBrightness = 1;
inline constexpr size_t kSpeed = 2;
inline constexpr size_t kDirection = 3;
inline constexpr size_t kMultiColour = 4;
inline constexpr size_t kRed = 5;
inline constexpr size_t kGreen = 6;
inline constexpr size_t kBlue = 7;
inline constexpr size_t kLedSubMode = 11;
inline constexpr size_t kCustomGroup = 12;
inline constexpr size_t kOldLedMode = 13;
}  // namespace light_settings

// The keyboard settings ("SystemStages") as three words: Repeat + RepeatDelay << 16,
// Key6Flag + PollingRate << 16, WFlag + WinFlag << 16 (the profile data's SystemWords).
using SystemStageWords = std::array<uint32_t, 3>;

namespace system_stage {
inline uint16_t Low(const SystemStageWords& w, size_t i) {
    return static_cast<uint16_t>(w[i] & 0xFFFF);
}
inline uint16_t High(const SystemStageWords& w, size_t i) {
    return static_cast<uint16_t>(w[i] >> 16);
}
inline void SetLow(SystemStageWords& w, size_t i, uint16_t v) {
    w[i] = (w[i] & 0xFFFF0000u) | v;
}
inline void SetHigh(SystemStageWords& w, size_t i, uint16_t v) {
    w[i] = (w[i] & 0xFFFFu) | uint32_t{v} << 16;
}
inline uint16_t Repeat(const SystemStageWords& w) {
    return Low(w, 0);
}
inline uint16_t RepeatDelay(const SystemStageWords& w) {
    return High(w, 0);
}
inline uint16_t Key6Flag(const SystemStageWords& w) {
    return Low(w, 1);
}
inline uint16_t PollingRate(const SystemStageWords& w) {
    return High(w, 1);
}
inline uint16_t WFlag(const SystemStageWords& w) {
    return Low(w, 2);
}
inline uint16_t WinFlag(const SystemStageWords& w) {
    return High(w, 2);
}
}  // namespace system_stage

// The lighting values the light thread paces its effects by.
struct KeyboardLightCopy {
    uint8_t mode = 0;
    uint8_t brightness = 0;
    uint8_t speed = 0;
    uint8_t direction = 0;
    uint8_t multiColour = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t ledSubMode = 0;
    uint8_t customGroup = 0;
    friend bool operator==(const KeyboardLightCopy&, const KeyboardLightCopy&) = default;
};

// Modes numbered 31 and above have no keyboard code of their own.
inline constexpr int kFirstUncodedMode = 31;

// The record written for the profile's lighting and system settings; `modeValues` is the
// mode-value list (keyboard code of each mode number). A mode without an entry is sent as the
// first entry's code, or 0 when the list is empty.
LightRecord EncodeLightRecord(const LightSettingsBytes& light, const SystemStageWords& system,
                              uint8_t profileByte, const std::vector<int>& modeValues);

// Turns a record as read from on-board profile `profile` into the program's terms: byte 0
// becomes the profile, the keyboard's mode code its mode number (when the list has it), byte
// 16 is cleared.
void NormaliseReadRecord(LightRecord& record, uint8_t profile, const std::vector<int>& modeValues);

// The light copy a read record gives; the speed turns back into the program's level.
KeyboardLightCopy LightCopyFromRecord(const LightRecord& record);

// Copies the light copy into the lighting choice (mode .. blue, sub-mode); other bytes stay.
void ApplyLightCopy(const KeyboardLightCopy& copy, LightSettingsBytes& light);

// The keyboard flags a read record carries (Key6Flag, WinFlag, WFlag); the rest stay.
void ApplyRecordFlags(const LightRecord& record, SystemStageWords& system);

}  // namespace ravo
