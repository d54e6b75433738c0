#pragma once

#include "profile/BasicProfiledata.h"

namespace ravo {

// The mouse's profile data: adds the DPI stages, the pointer settings ("SystemStages" and
// "ReportStages") and the shooting correction list ("CorrectInfo").
class CMouseProfiledata : public CBasicProfiledata {
public:
    // Reads "DPIStages": its "StageActive" becomes the active stage, and each "StageDPIs"
    // element overwrites the held stage at its position (or is appended); held stages beyond
    // the read count stay. Returns the held stages.
    std::vector<DpiStage> GetDpiStages();
    void SetDpiStages(const std::vector<DpiStage>& stages);
    int32_t GetActiveStage();
    void SetActiveStage(int32_t stage);

    // Word 0 = DoubleClickTime + MouseSpeed << 16, word 1 = PointerPrecision + ScorllPage << 16,
    // word 2 = WheelScorlllinse + "ReportStages"/"StageActive" << 16.
    SystemWords GetMouseSystemWords();
    void SetMouseSystemWords(const SystemWords& words);

    std::vector<CorrectEntry> GetCorrectList();

protected:
    bool SectionShapeOk(const Json::Value& section) const override;

private:
    std::vector<DpiStage> m_dpiStages;
    int32_t m_activeStage = 0;
    SystemWords m_systemWords{};
    std::vector<CorrectEntry> m_correctList;
};

}  // namespace ravo
