#include "profile/Va6533Profiledata.h"

#include "profile/JsonAccess.h"
#include "profile/JsonShape.h"
#include "profile/TextRoutines.h"

#include <algorithm>

namespace ravo {

using json::Assign;
using json::Element;
using json::Member;
using json::ReadIntegerMember;

namespace {

// The eight members in the order of HeadsetAudioSettings.
constexpr const char* kSettingNames[8] = {"MagicEnable",        "MagicType",      "EqType",
                                          "CustomEqSeletIndex", "MicInSelect",    "MicInValue",
                                          "MicMoniterSelect",   "MicMoniterValue"};

int32_t* SettingFields(HeadsetAudioSettings& s, int i) {
    int32_t* const fields[8] = {&s.magicEnable,         &s.magicType,      &s.eqType,
                                &s.customEqSelectIndex, &s.micInSelect,    &s.micInValue,
                                &s.micMonitorSelect,    &s.micMonitorValue};
    return fields[i];
}

// Position in "EQHzValueInfo" of an equaliser type, -1 for the user preset type.
int32_t EqEntry(int32_t type) {
    if (type == CVa6533Profiledata::kCustomEqType)
        return -1;
    if (type >= 1 && type <= 12)
        return type;
    return 1;
}

}  // namespace

bool CVa6533Profiledata::SectionShapeOk(const Json::Value& section) const {
    if (!CBasicProfiledata::SectionShapeOk(section))
        return false;
    if (section.isNull())
        return true;
    const Json::Value* stages = json::Find(section, "SystemSetStages");
    if (stages && !json::IsRecord(*stages, {kSettingNames[0], kSettingNames[1], kSettingNames[2],
                                            kSettingNames[3], kSettingNames[4], kSettingNames[5],
                                            kSettingNames[6], kSettingNames[7]}))
        return false;
    const Json::Value* presets = json::Find(section, "EQHzValueInfo");
    if (presets && !json::IsRecordListList(*presets, {"value"}))
        return false;
    const Json::Value* names = json::Find(section, "CustomEQNameInfo");
    if (names && !json::IsRecordList(*names, {}, {"Name"}))
        return false;
    const Json::Value* custom = json::Find(section, "CustomEQHzValueInfo");
    return !custom || json::IsRecordListList(*custom, {"value"});
}

HeadsetAudioSettings CVa6533Profiledata::GetSystemSetStages() {
    m_audioSettings = HeadsetAudioSettings{};
    Json::Value* stages = m_section.isNull() ? nullptr : Member(&m_section, "SystemSetStages");
    if (stages && stages->isObject()) {
        for (int i = 0; i < 8; ++i)
            *SettingFields(m_audioSettings, i) =
                static_cast<int32_t>(ReadIntegerMember(stages, kSettingNames[i]));
    }
    return m_audioSettings;
}

void CVa6533Profiledata::SetSystemSetStages(const HeadsetAudioSettings& settings) {
    m_audioSettings = settings;
    Json::Value* stages = Member(&m_section, "SystemSetStages");
    for (int i = 0; i < 8; ++i)
        Assign(stages, kSettingNames[i], Json::Value(*SettingFields(m_audioSettings, i)));
}

std::vector<int32_t> CVa6533Profiledata::ReadBands(const char* listName, int32_t entry) {
    std::vector<int32_t> values(kBandCount, 0);
    if (m_section.isNull())
        return values;
    Json::Value* bands = Element(Member(&m_section, listName), entry);
    for (int i = 0; i < kBandCount; ++i) {
        Json::Value* value = Member(Element(bands, i), "value");
        if (value && value->isNull())
            *value = Json::Value(0);
        values[static_cast<size_t>(i)] = static_cast<int32_t>(json::ReadInteger(value));
    }
    return values;
}

void CVa6533Profiledata::WriteBands(const char* listName, int32_t entry,
                                    const std::vector<int32_t>& values) {
    Json::Value* bands = Element(Member(&m_section, listName), entry);
    const size_t count = std::min<size_t>(values.size(), kBandCount);
    for (size_t i = 0; i < count; ++i)
        Assign(Element(bands, static_cast<int64_t>(i)), "value", Json::Value(values[i]));
}

std::vector<int32_t> CVa6533Profiledata::GetEqValues(int32_t type) {
    const int32_t entry = EqEntry(type);
    if (entry < 0)
        return {};
    return ReadBands("EQHzValueInfo", entry);
}

void CVa6533Profiledata::SetEqValues(int32_t type, const std::vector<int32_t>& values) {
    const int32_t entry = EqEntry(type);
    if (entry >= 0)
        WriteBands("EQHzValueInfo", entry, values);
}

std::vector<QString> CVa6533Profiledata::GetCustomEqNames() {
    m_customEqNames.clear();
    Json::Value* list = m_section.isNull() ? nullptr : Member(&m_section, "CustomEQNameInfo");
    const uint32_t count = json::ArraySize(list);
    for (uint32_t i = 0; i < count; ++i)
        m_customEqNames.push_back(Utf8ToWide(json::ReadText(Member(&(*list)[i], "Name"))));
    return m_customEqNames;
}

void CVa6533Profiledata::SetCustomEqNames(const std::vector<QString>& names) {
    m_customEqNames = names;
    Json::Value list(Json::arrayValue);
    for (const QString& name : names) {
        Json::Value element(Json::objectValue);
        element["Name"] = WideToUtf8(name);
        list.append(element);
    }
    Assign(&m_section, "CustomEQNameInfo", list);
}

std::vector<int32_t> CVa6533Profiledata::GetCustomEqValues(int32_t index) {
    return ReadBands("CustomEQHzValueInfo", index);
}

void CVa6533Profiledata::SetCustomEqValues(int32_t index, const std::vector<int32_t>& values) {
    WriteBands("CustomEQHzValueInfo", index, values);
}

}  // namespace ravo
