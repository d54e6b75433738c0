#include "devices/LightRecord.h"

#include <algorithm>

namespace ravo {

namespace lr = light_record;
namespace ls = light_settings;

LightRecord EncodeLightRecord(const LightSettingsBytes& light, const SystemStageWords& system,
                              uint8_t profileByte, const std::vector<int>& modeValues) {
    LightRecord r{};
    r[lr::kProfile] = profileByte;
    size_t mode = light[ls::kMode];
    if (mode >= kFirstUncodedMode || mode >= modeValues.size()) {
        mode = 0;
    }
    r[lr::kMode] = modeValues.empty() ? 0 : static_cast<uint8_t>(modeValues[mode]);
    r[lr::kBrightness] = light[ls::kBrightness];
    r[lr::kSpeed] = static_cast<uint8_t>(4 - std::min<uint8_t>(light[ls::kSpeed], 4));
    r[lr::kDirection] = light[ls::kDirection];
    r[lr::kMultiColour] = light[ls::kMultiColour];
    r[lr::kRed] = light[ls::kRed];
    r[lr::kGreen] = light[ls::kGreen];
    r[lr::kBlue] = light[ls::kBlue];
    r[lr::kLedSubMode] = light[ls::kLedSubMode];
    r[lr::kWFlag] = static_cast<uint8_t>(system_stage::WFlag(system));
    r[lr::kKey6Flag] = static_cast<uint8_t>(system_stage::Key6Flag(system));
    r[lr::kWinFlag] = static_cast<uint8_t>(system_stage::WinFlag(system));
    r[lr::kPollingRate] = static_cast<uint8_t>(system_stage::PollingRate(system));
    r[lr::kCustomGroup] = light[ls::kCustomGroup];
    return r;
}

void NormaliseReadRecord(LightRecord& record, uint8_t profile, const std::vector<int>& modeValues) {
    record[lr::kProfile] = profile;
    for (size_t i = 0; i < modeValues.size(); ++i) {
        if (modeValues[i] == record[lr::kMode]) {
            record[lr::kMode] = static_cast<uint8_t>(i);
            break;
        }
    }
    record[lr::kProfileNibble] = 0;
}

KeyboardLightCopy LightCopyFromRecord(const LightRecord& record) {
    KeyboardLightCopy c;
    c.mode = record[lr::kMode];
    // Levels index the effect tables: a keyboard reporting more than 4 gets the top level.
    c.brightness = std::min<uint8_t>(record[lr::kBrightness], 4);
    c.speed = static_cast<uint8_t>(4 - std::min<uint8_t>(record[lr::kSpeed], 4));
    c.direction = record[lr::kDirection];
    c.multiColour = record[lr::kMultiColour];
    c.red = record[lr::kRed];
    c.green = record[lr::kGreen];
    c.blue = record[lr::kBlue];
    c.ledSubMode = record[lr::kLedSubMode];
    c.customGroup = record[lr::kCustomGroup];
    return c;
}

void ApplyLightCopy(const KeyboardLightCopy& copy, LightSettingsBytes& light) {
    light[ls::kMode] = copy.mode;
    light[ls::kBrightness] = copy.brightness;
    light[ls::kSpeed] = copy.speed;
    light[ls::kDirection] = copy.direction;
    light[ls::kMultiColour] = copy.multiColour;
    light[ls::kRed] = copy.red;
    light[ls::kGreen] = copy.green;
    light[ls::kBlue] = copy.blue;
    light[ls::kLedSubMode] = copy.ledSubMode;
}

void ApplyRecordFlags(const LightRecord& record, SystemStageWords& system) {
    system_stage::SetLow(system, 1, record[lr::kKey6Flag]);
    system_stage::SetHigh(system, 2, record[lr::kWinFlag]);
    system_stage::SetLow(system, 2, record[lr::kWFlag]);
}

}  // namespace ravo
