#pragma once

#include "profile/BasicProfiledata.h"

namespace ravo {

// The keyboard's profile data: adds the keyboard settings ("SystemStages") and the custom
// per-key colour groups ("CustomLightMode").
class CKeyboardProfiledata : public CBasicProfiledata {
public:
    // Word 0 = Repeat + RepeatDelay << 16, word 1 = Key6Flag + PollingRate << 16,
    // word 2 = WFlag + WinFlag << 16; all zero without "SystemStages".
    SystemWords GetSystemStages();
    void SetSystemStages(const SystemWords& words);

    int32_t GetCustomGroupIndex();
    void SetCustomGroupIndex(int32_t index);

    // The colours of custom group `group` for `lightCount` lights. Missing lights (or a missing
    // group) are added to the section as zero colours, so the next save writes them.
    std::vector<CustomKeyColour> GetCustomColours(int32_t group, int32_t lightCount);
    void SetCustomColours(const std::vector<CustomKeyColour>& colours, int32_t group);

protected:
    bool SectionShapeOk(const Json::Value& section) const override;

private:
    SystemWords m_systemWords{};
    std::vector<CustomKeyColour> m_customColours;
    int32_t m_customGroupIndex = 0;
};

}  // namespace ravo
