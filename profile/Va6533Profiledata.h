#pragma once

#include "profile/BasicProfiledata.h"

namespace ravo {

// The headset's profile data: adds the audio settings ("SystemSetStages"), the equaliser band
// values of the presets and the user presets with their names.
class CVa6533Profiledata : public CBasicProfiledata {
public:
    static constexpr int kBandCount = 10;
    static constexpr int kCustomEqType = 13;  // a user preset, not stored by type

    // All zero when "SystemSetStages" is absent.
    HeadsetAudioSettings GetSystemSetStages();
    void SetSystemSetStages(const HeadsetAudioSettings& settings);

    // Band values of equaliser type `type`: types 1..12 use their own entry, 0 and types above
    // 13 share entry 1, and type 13 (user preset) has none: an empty list, and nothing written.
    // Missing values are added as 0.
    std::vector<int32_t> GetEqValues(int32_t type);
    void SetEqValues(int32_t type, const std::vector<int32_t>& values);

    std::vector<QString> GetCustomEqNames();
    // Replaces the whole name list.
    void SetCustomEqNames(const std::vector<QString>& names);

    // Band values of user preset `index`.
    std::vector<int32_t> GetCustomEqValues(int32_t index);
    void SetCustomEqValues(int32_t index, const std::vector<int32_t>& values);

protected:
    bool SectionShapeOk(const Json::Value& section) const override;

private:
    std::vector<int32_t> ReadBands(const char* listName, int32_t entry);
    void WriteBands(const char* listName, int32_t entry, const std::vector<int32_t>& values);

    HeadsetAudioSettings m_audioSettings;
    std::vector<QString> m_customEqNames;
};

}  // namespace ravo
