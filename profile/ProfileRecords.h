#pragma once

#include <QString>

#include <array>
#include <cstdint>

// Fixed-layout records the device objects and panels exchange with the profile data. Byte
// positions matter (the device sends some of them as they are), so every record is a plain
// struct whose size is checked below.
namespace ravo {

// The lighting choice of a device ("LightInfo"), 14 bytes.
struct LightSettings {
    uint8_t mode = 0;        // "SelectItem": position in the lighting panel's mode list
    uint8_t brightness = 0;  // "Light", 0..4
    uint8_t speed = 0;       // "Speed", 0..4
    uint8_t direction = 0;   // "Fx"
    uint8_t multiColor = 0;  // "MultiColor", 0 or 1
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t reserved[3] = {0, 0, 0};  // not stored in the file
    uint8_t zzccLedMode = 0;          // "ZZCCLedMode"
    uint8_t customGroup = 0;          // "CustomGroup"
    uint8_t oldLedMode = 0;           // "OldLedmode"
};
static_assert(sizeof(LightSettings) == 14);

// LightSettings as the device objects pass them: bytes 0..3, 4..7, 8..11 as little-endian
// words and bytes 12..13 as a 16-bit value.
struct LightWords {
    uint32_t word0 = 0;
    uint32_t word1 = 0;
    uint32_t word2 = 0;
    uint16_t word3 = 0;
};
LightSettings LightSettingsFromWords(const LightWords& words);
LightWords LightSettingsToWords(const LightSettings& settings);

// The music lighting choice ("AudioLightInfo"), 9 bytes.
struct AudioLightSettings {
    uint8_t audioMode = 0;   // "AudioMode"
    uint8_t bkRed = 0;       // "BkColorR"
    uint8_t bkGreen = 0;     // "BkColorG"
    uint8_t bkBlue = 0;      // "BkColorB"
    uint8_t fgRed = 0;       // "FgColorR"
    uint8_t fgGreen = 0;     // "FgColorG"
    uint8_t fgBlue = 0;      // "FgColorB"
    uint8_t sevenColor = 0;  // "7ColorFlags", 0 or 1
    uint8_t colorType = 0;   // "ColorTypeFlags", 0 or 1: background or foreground is edited
};
static_assert(sizeof(AudioLightSettings) == 9);

// Word 0 = bytes 0..3, word 1 = bytes 4..7, word 2 = byte 8.
struct AudioLightWords {
    uint32_t word0 = 0;
    uint32_t word1 = 0;
    uint32_t word2 = 0;
};
AudioLightSettings AudioLightSettingsFromWords(const AudioLightWords& words);
AudioLightWords AudioLightSettingsToWords(const AudioLightSettings& settings);

// The function of a key: type, parameter 1, parameter 2.
struct KeyCode {
    uint8_t type = 0;
    uint8_t param1 = 0;
    uint8_t param2 = 0;
};
static_assert(sizeof(KeyCode) == 3);

// A KeyCode as the file holds it: type * 65536 + parameter 1 * 256 + parameter 2.
uint32_t KeyCodeToInt(const KeyCode& code);
KeyCode KeyCodeFromInt(uint32_t value);
inline bool operator==(const KeyCode& a, const KeyCode& b) {
    return a.type == b.type && a.param1 == b.param1 && a.param2 == b.param2;
}

struct KeyAssignment {
    uint16_t keyNumber = 0;
    KeyCode code;
    uint8_t spare = 0;
};
static_assert(sizeof(KeyAssignment) == 6);

// Current and default assignment of one key; the key number is the position in "KeyList".
struct KeyListEntry {
    KeyAssignment current;
    KeyAssignment defaults;
};
static_assert(sizeof(KeyListEntry) == 12);

// One element of "LightList": a per-light override.
struct LightListEntry {
    uint8_t mode = 0;        // "LEDREGMode"
    uint8_t brightness = 0;  // "LEDBrightness"
    uint8_t speed = 0;       // "LEDSpeed"
    uint8_t direction = 0;   // "LEDDirection", 0 or 1
    uint8_t multiColor = 0;  // "LEDMultiColor", 0 or 1
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t unused8 = 0;
    uint8_t unused9 = 0;
    uint8_t present = 0;  // 1 when the element exists, 0 when it is null
    uint8_t unused11[3] = {0, 0, 0};
};
static_assert(sizeof(LightListEntry) == 14);

// One light of a custom colour group ("LightColorInfo").
struct CustomKeyColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
};
static_assert(sizeof(CustomKeyColour) == 4);

// One step of a light step file's "LEDEffectList".
struct LightStep {
    uint8_t mode = 0;        // "LEDREGMode"
    uint8_t brightness = 0;  // "LEDBrightness"
    uint8_t speed = 0;       // "LEDSpeed"
    uint8_t direction = 0;   // "LEDDirection"
    uint8_t multiColor = 0;  // "LEDMultiColor"
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t reserved[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    int32_t time = 0;   // "Time"
    int32_t cycle = 0;  // "Cyle"
};
static_assert(sizeof(LightStep) == 24);

// Three 32-bit words holding pairs of 16-bit settings (low half first).
using SystemWords = std::array<uint32_t, 3>;

// One mouse DPI stage ("StageDPIs" element).
struct DpiStage {
    uint8_t active = 0;  // "StageActive"
    uint8_t xy = 0;      // "StageXY"
    uint16_t dpiX = 0;   // "StageDPIX"
    uint16_t dpiY = 0;   // "StageDPIY"
    uint8_t red = 0;     // "StageColorR"
    uint8_t green = 0;   // "StageColorG"
    uint8_t blue = 0;    // "StageColorB"
};
// The nine bytes the mouse receives for a stage: active, XY, DPI X and Y (little-endian), RGB.
std::array<uint8_t, 9> DpiStageToBytes(const DpiStage& stage);

// One "CorrectInfo" element of the mouse.
struct CorrectEntry {
    uint8_t pixThresh = 0;  // "CorrectPixThresh"
    uint8_t minSq = 0;      // "CorrectMinSq"
    uint8_t select = 0;     // "CorrectSelect"
    QString name;           // "CorrectName"
};

// The headset's "SystemSetStages", in file order.
struct HeadsetAudioSettings {
    int32_t magicEnable = 0;          // "MagicEnable"
    int32_t magicType = 0;            // "MagicType"
    int32_t eqType = 0;               // "EqType"
    int32_t customEqSelectIndex = 0;  // "CustomEqSeletIndex"
    int32_t micInSelect = 0;          // "MicInSelect"
    int32_t micInValue = 0;           // "MicInValue"
    int32_t micMonitorSelect = 0;     // "MicMoniterSelect"
    int32_t micMonitorValue = 0;      // "MicMoniterValue"
};

}  // namespace ravo
