#include "profile/MouseProfiledata.h"

#include "profile/JsonAccess.h"
#include "profile/JsonShape.h"
#include "profile/TextRoutines.h"

namespace ravo {

using json::Assign;
using json::Element;
using json::Member;
using json::ReadByteMember;
using json::ReadHalfMember;
using json::ReadIntegerMember;

namespace {}  // namespace

bool CMouseProfiledata::SectionShapeOk(const Json::Value& section) const {
    if (!CBasicProfiledata::SectionShapeOk(section))
        return false;
    if (section.isNull())
        return true;
    if (const Json::Value* dpi = json::Find(section, "DPIStages")) {
        if (!json::IsRecord(*dpi, {"StageActive"}))
            return false;
        const Json::Value* stages = json::Find(*dpi, "StageDPIs");
        if (stages &&
            !json::IsRecordList(*stages, {"StageActive", "StageColorB", "StageColorG",
                                          "StageColorR", "StageXY", "StageDPIX", "StageDPIY"}))
            return false;
    }
    const Json::Value* system = json::Find(section, "SystemStages");
    if (system && !json::IsRecord(*system, {"DoubleClickTime", "MouseSpeed", "PointerPrecision",
                                            "ScorllPage", "WheelScorlllinse"}))
        return false;
    const Json::Value* report = json::Find(section, "ReportStages");
    if (report && !json::IsRecord(*report, {"StageActive"}))
        return false;
    const Json::Value* correct = json::Find(section, "CorrectInfo");
    return !correct ||
           json::IsRecordList(*correct, {"CorrectPixThresh", "CorrectMinSq", "CorrectSelect"},
                              {"CorrectName"});
}

std::vector<DpiStage> CMouseProfiledata::GetDpiStages() {
    if (m_section.isNull())
        return m_dpiStages;
    Json::Value* dpi = Member(&m_section, "DPIStages");
    m_activeStage = static_cast<int32_t>(ReadIntegerMember(dpi, "StageActive"));
    Json::Value* list = Member(dpi, "StageDPIs");
    const uint32_t count = json::ArraySize(list);
    for (uint32_t i = 0; i < count; ++i) {
        Json::Value* element = &(*list)[i];
        DpiStage s;
        s.active = ReadByteMember(element, "StageActive");
        s.xy = ReadByteMember(element, "StageXY");
        s.dpiX = static_cast<uint16_t>(ReadIntegerMember(element, "StageDPIX"));
        s.dpiY = static_cast<uint16_t>(ReadIntegerMember(element, "StageDPIY"));
        s.red = ReadByteMember(element, "StageColorR");
        s.green = ReadByteMember(element, "StageColorG");
        s.blue = ReadByteMember(element, "StageColorB");
        if (i < m_dpiStages.size())
            m_dpiStages[i] = s;
        else
            m_dpiStages.push_back(s);
    }
    return m_dpiStages;
}

void CMouseProfiledata::SetDpiStages(const std::vector<DpiStage>& stages) {
    m_dpiStages = stages;
    Json::Value* list = Member(Member(&m_section, "DPIStages"), "StageDPIs");
    for (size_t i = 0; i < stages.size(); ++i) {
        Json::Value* element = Element(list, static_cast<int64_t>(i));
        const DpiStage& s = stages[i];
        Assign(element, "StageActive", Json::Value(s.active));
        Assign(element, "StageColorB", Json::Value(s.blue));
        Assign(element, "StageColorG", Json::Value(s.green));
        Assign(element, "StageColorR", Json::Value(s.red));
        Assign(element, "StageXY", Json::Value(s.xy));
        Assign(element, "StageDPIX", Json::Value(s.dpiX));
        Assign(element, "StageDPIY", Json::Value(s.dpiY));
    }
}

int32_t CMouseProfiledata::GetActiveStage() {
    if (!m_section.isNull())
        m_activeStage =
            static_cast<int32_t>(ReadIntegerMember(Member(&m_section, "DPIStages"), "StageActive"));
    return m_activeStage;
}

void CMouseProfiledata::SetActiveStage(int32_t stage) {
    m_activeStage = stage;
    Assign(Member(&m_section, "DPIStages"), "StageActive", Json::Value(stage));
}

SystemWords CMouseProfiledata::GetMouseSystemWords() {
    m_systemWords = {0, 0, 0};
    Json::Value* system = m_section.isNull() ? nullptr : Member(&m_section, "SystemStages");
    if (!system || !system->isObject())
        return m_systemWords;
    m_systemWords[0] =
        ReadHalfMember(system, "DoubleClickTime") | ReadHalfMember(system, "MouseSpeed") << 16;
    m_systemWords[1] =
        ReadHalfMember(system, "PointerPrecision") | ReadHalfMember(system, "ScorllPage") << 16;
    m_systemWords[2] = ReadHalfMember(system, "WheelScorlllinse");
    Json::Value* report = Member(&m_section, "ReportStages");
    if (report && report->isObject())
        m_systemWords[2] |= ReadHalfMember(report, "StageActive") << 16;
    return m_systemWords;
}

void CMouseProfiledata::SetMouseSystemWords(const SystemWords& words) {
    m_systemWords = words;
    Json::Value* system = Member(&m_section, "SystemStages");
    Assign(system, "DoubleClickTime", Json::Value(words[0] & 0xFFFF));
    Assign(system, "MouseSpeed", Json::Value(words[0] >> 16));
    Assign(system, "PointerPrecision", Json::Value(words[1] & 0xFFFF));
    Assign(system, "ScorllPage", Json::Value(words[1] >> 16));
    Assign(system, "WheelScorlllinse", Json::Value(words[2] & 0xFFFF));
    Assign(Member(&m_section, "ReportStages"), "StageActive", Json::Value(words[2] >> 16));
}

std::vector<CorrectEntry> CMouseProfiledata::GetCorrectList() {
    m_correctList.clear();
    Json::Value* list = m_section.isNull() ? nullptr : Member(&m_section, "CorrectInfo");
    const uint32_t count = json::ArraySize(list);
    m_correctList.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        Json::Value* element = &(*list)[i];
        CorrectEntry& e = m_correctList[i];
        e.pixThresh = ReadByteMember(element, "CorrectPixThresh");
        e.minSq = ReadByteMember(element, "CorrectMinSq");
        e.select = ReadByteMember(element, "CorrectSelect");
        e.name = Utf8ToWide(json::ReadText(Member(element, "CorrectName")));
    }
    return m_correctList;
}

}  // namespace ravo
