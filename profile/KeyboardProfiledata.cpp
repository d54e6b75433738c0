#include "profile/KeyboardProfiledata.h"

#include "profile/JsonAccess.h"
#include "profile/JsonShape.h"

#include <algorithm>

namespace ravo {

using json::Assign;
using json::Element;
using json::Member;
using json::ReadByteMember;
using json::ReadHalfMember;
using json::ReadIntegerMember;

namespace {

void WriteColour(Json::Value* element, const CustomKeyColour& c) {
    Assign(element, "Red", Json::Value(c.red));
    Assign(element, "Green", Json::Value(c.green));
    Assign(element, "Blue", Json::Value(c.blue));
    Assign(element, "Alpha", Json::Value(c.alpha));
}

}  // namespace

bool CKeyboardProfiledata::SectionShapeOk(const Json::Value& section) const {
    if (!CBasicProfiledata::SectionShapeOk(section))
        return false;
    if (section.isNull())
        return true;
    const Json::Value* stages = json::Find(section, "SystemStages");
    if (stages && !json::IsRecord(*stages, {"Repeat", "RepeatDelay", "Key6Flag", "PollingRate",
                                            "WFlag", "WinFlag"}))
        return false;
    const Json::Value* custom = json::Find(section, "CustomLightMode");
    if (!custom)
        return true;
    if (!json::IsRecord(*custom, {"CustomLightModeGroupIndex"}))
        return false;
    const Json::Value* colours = json::Find(*custom, "LightColorInfo");
    return !colours || json::IsRecordListList(*colours, {"Red", "Green", "Blue", "Alpha"});
}

SystemWords CKeyboardProfiledata::GetSystemStages() {
    m_systemWords = {0, 0, 0};
    Json::Value* stages = m_section.isNull() ? nullptr : Member(&m_section, "SystemStages");
    if (stages && stages->isObject()) {
        m_systemWords[0] = ReadHalfMember(stages, "Repeat") | ReadHalfMember(stages, "RepeatDelay")
                                                                  << 16;
        m_systemWords[1] =
            ReadHalfMember(stages, "Key6Flag") | ReadHalfMember(stages, "PollingRate") << 16;
        m_systemWords[2] = ReadHalfMember(stages, "WFlag") | ReadHalfMember(stages, "WinFlag")
                                                                 << 16;
    }
    return m_systemWords;
}

void CKeyboardProfiledata::SetSystemStages(const SystemWords& words) {
    m_systemWords = words;
    Json::Value* stages = Member(&m_section, "SystemStages");
    const char* const names[3][2] = {
        {"Repeat", "RepeatDelay"}, {"Key6Flag", "PollingRate"}, {"WFlag", "WinFlag"}};
    for (int i = 0; i < 3; ++i) {
        Assign(stages, names[i][0], Json::Value(words[i] & 0xFFFF));
        Assign(stages, names[i][1], Json::Value(words[i] >> 16));
    }
}

int32_t CKeyboardProfiledata::GetCustomGroupIndex() {
    Json::Value* custom = m_section.isNull() ? nullptr : Member(&m_section, "CustomLightMode");
    m_customGroupIndex =
        static_cast<int32_t>(ReadIntegerMember(custom, "CustomLightModeGroupIndex"));
    return m_customGroupIndex;
}

void CKeyboardProfiledata::SetCustomGroupIndex(int32_t index) {
    m_customGroupIndex = index;
    Assign(Member(&m_section, "CustomLightMode"), "CustomLightModeGroupIndex", Json::Value(index));
}

std::vector<CustomKeyColour> CKeyboardProfiledata::GetCustomColours(int32_t group,
                                                                    int32_t lightCount) {
    const int32_t count = std::max(0, std::min<int32_t>(lightCount, json::kMaxCreatedIndex + 1));
    m_customColours.assign(static_cast<size_t>(count), CustomKeyColour{});
    Json::Value* list =
        Element(Member(Member(&m_section, "CustomLightMode"), "LightColorInfo"), group);
    if (!list || !(list->isNull() || list->isArray()))
        return m_customColours;
    for (int32_t j = 0; j < count; ++j) {
        Json::Value* element = Element(list, j);
        if (!element)
            break;
        if (element->isNull()) {
            WriteColour(element, CustomKeyColour{});
            continue;
        }
        if (!element->isObject())
            continue;
        CustomKeyColour& c = m_customColours[static_cast<size_t>(j)];
        c.red = ReadByteMember(element, "Red");
        c.green = ReadByteMember(element, "Green");
        c.blue = ReadByteMember(element, "Blue");
        c.alpha = ReadByteMember(element, "Alpha");
    }
    return m_customColours;
}

void CKeyboardProfiledata::SetCustomColours(const std::vector<CustomKeyColour>& colours,
                                            int32_t group) {
    Json::Value* list =
        Element(Member(Member(&m_section, "CustomLightMode"), "LightColorInfo"), group);
    for (size_t j = 0; j < colours.size(); ++j)
        WriteColour(Element(list, static_cast<int64_t>(j)), colours[j]);
}

}  // namespace ravo
