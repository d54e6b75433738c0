#include "profile/ProfileRecords.h"

namespace ravo {

namespace {
uint8_t ByteOf(uint32_t word, int index) {
    return static_cast<uint8_t>(word >> (8 * index));
}
uint32_t WordOf(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t b3) {
    return uint32_t(b0) | uint32_t(b1) << 8 | uint32_t(b2) << 16 | uint32_t(b3) << 24;
}
}  // namespace

LightSettings LightSettingsFromWords(const LightWords& w) {
    LightSettings s;
    s.mode = ByteOf(w.word0, 0);
    s.brightness = ByteOf(w.word0, 1);
    s.speed = ByteOf(w.word0, 2);
    s.direction = ByteOf(w.word0, 3);
    s.multiColor = ByteOf(w.word1, 0);
    s.red = ByteOf(w.word1, 1);
    s.green = ByteOf(w.word1, 2);
    s.blue = ByteOf(w.word1, 3);
    s.reserved[0] = ByteOf(w.word2, 0);
    s.reserved[1] = ByteOf(w.word2, 1);
    s.reserved[2] = ByteOf(w.word2, 2);
    s.zzccLedMode = ByteOf(w.word2, 3);
    s.customGroup = static_cast<uint8_t>(w.word3);
    s.oldLedMode = static_cast<uint8_t>(w.word3 >> 8);
    return s;
}

LightWords LightSettingsToWords(const LightSettings& s) {
    LightWords w;
    w.word0 = WordOf(s.mode, s.brightness, s.speed, s.direction);
    w.word1 = WordOf(s.multiColor, s.red, s.green, s.blue);
    w.word2 = WordOf(s.reserved[0], s.reserved[1], s.reserved[2], s.zzccLedMode);
    w.word3 = static_cast<uint16_t>(s.customGroup | s.oldLedMode << 8);
    return w;
}

AudioLightSettings AudioLightSettingsFromWords(const AudioLightWords& w) {
    AudioLightSettings a;
    a.audioMode = ByteOf(w.word0, 0);
    a.bkRed = ByteOf(w.word0, 1);
    a.bkGreen = ByteOf(w.word0, 2);
    a.bkBlue = ByteOf(w.word0, 3);
    a.fgRed = ByteOf(w.word1, 0);
    a.fgGreen = ByteOf(w.word1, 1);
    a.fgBlue = ByteOf(w.word1, 2);
    a.sevenColor = ByteOf(w.word1, 3);
    a.colorType = ByteOf(w.word2, 0);
    return a;
}

AudioLightWords AudioLightSettingsToWords(const AudioLightSettings& a) {
    AudioLightWords w;
    w.word0 = WordOf(a.audioMode, a.bkRed, a.bkGreen, a.bkBlue);
    w.word1 = WordOf(a.fgRed, a.fgGreen, a.fgBlue, a.sevenColor);
    w.word2 = a.colorType;
    return w;
}

uint32_t KeyCodeToInt(const KeyCode& code) {
    return uint32_t(code.type) << 16 | uint32_t(code.param1) << 8 | code.param2;
}

KeyCode KeyCodeFromInt(uint32_t value) {
    return KeyCode{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                   static_cast<uint8_t>(value)};
}

std::array<uint8_t, 9> DpiStageToBytes(const DpiStage& s) {
    return {s.active,
            s.xy,
            static_cast<uint8_t>(s.dpiX),
            static_cast<uint8_t>(s.dpiX >> 8),
            static_cast<uint8_t>(s.dpiY),
            static_cast<uint8_t>(s.dpiY >> 8),
            s.red,
            s.green,
            s.blue};
}

}  // namespace ravo
