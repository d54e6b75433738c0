// ctest-labels: asan
#include "profile/MouseProfiledata.h"

#include "tests/profile/ProfileFixture.h"

namespace ravo {
namespace {

using test::Parse;

using MouseProfiledataTest = test::ProfileFixture<CMouseProfiledata>;

constexpr char kStages[] = R"({ "DPIStages" : { "StageActive" : 2, "StageDPIs" : [
    { "StageActive" : 1, "StageXY" : 0, "StageDPIX" : 300, "StageDPIY" : 301,
      "StageColorR" : 255, "StageColorG" : 0, "StageColorB" : 1 },
    { "StageActive" : 0, "StageXY" : 1, "StageDPIX" : 66000, "StageDPIY" : 2,
      "StageColorR" : 1, "StageColorG" : 2, "StageColorB" : 3 } ] } })";

TEST_F(MouseProfiledataTest, DpiStagesOverwriteHeldStagesByPosition) {
    LoadSection(kStages);
    std::vector<DpiStage> stages = m_data.GetDpiStages();
    ASSERT_EQ(stages.size(), 2u);
    EXPECT_EQ(m_data.GetActiveStage(), 2);
    EXPECT_EQ(stages[0].dpiX, 300);
    EXPECT_EQ(stages[0].dpiY, 301);
    EXPECT_EQ(stages[1].dpiX, 66000 & 0xFFFF);
    EXPECT_EQ(stages[1].xy, 1);
    EXPECT_EQ((DpiStageToBytes(stages[0])),
              (std::array<uint8_t, 9>{1, 0, 0x2C, 0x01, 0x2D, 0x01, 255, 0, 1}));

    // Held stages beyond what a file holds stay.
    stages.resize(5);
    stages[4].dpiX = 99;
    m_data.SetDpiStages(stages);
    LoadSection(R"({ "DPIStages" : { "StageDPIs" : [ { "StageDPIX" : 7 } ] } })");
    stages = m_data.GetDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0].dpiX, 7);
    EXPECT_EQ(stages[1].dpiX, 66000 & 0xFFFF);
    EXPECT_EQ(stages[4].dpiX, 99);
}

TEST_F(MouseProfiledataTest, SetDpiStagesWritesEveryMember) {
    LoadSection("{}");
    DpiStage s;
    s.active = 1;
    s.xy = 1;
    s.dpiX = 1600;
    s.dpiY = 800;
    s.red = 1;
    s.green = 2;
    s.blue = 3;
    m_data.SetDpiStages({s});
    m_data.SetActiveStage(3);
    EXPECT_EQ(Saved()["DPIStages"],
              Parse(R"({ "StageActive" : 3, "StageDPIs" : [ { "StageActive" : 1,
                  "StageColorB" : 3, "StageColorG" : 2, "StageColorR" : 1, "StageXY" : 1,
                  "StageDPIX" : 1600, "StageDPIY" : 800 } ] })"));
}

TEST_F(MouseProfiledataTest, SystemWordsTakeReportRateOnlyWhenPresent) {
    LoadSection(R"({ "SystemStages" : { "DoubleClickTime" : 500, "MouseSpeed" : 10,
        "PointerPrecision" : 1, "ScorllPage" : 1, "WheelScorlllinse" : 3 } })");
    EXPECT_EQ(m_data.GetMouseSystemWords(), (SystemWords{500 + (10u << 16), 1 + (1u << 16), 3}));
    LoadSection(R"({ "SystemStages" : { "WheelScorlllinse" : 3 },
        "ReportStages" : { "StageActive" : 2 } })");
    EXPECT_EQ(m_data.GetMouseSystemWords(), (SystemWords{0, 0, 3 + (2u << 16)}));
    LoadSection(R"({ "ReportStages" : { "StageActive" : 2 } })");
    EXPECT_EQ(m_data.GetMouseSystemWords(), (SystemWords{0, 0, 0}));

    m_data.SetMouseSystemWords({1 + (2u << 16), 3 + (4u << 16), 5 + (6u << 16)});
    const Json::Value saved = Saved();
    EXPECT_EQ(saved["SystemStages"],
              Parse(R"({ "DoubleClickTime" : 1, "MouseSpeed" : 2, "PointerPrecision" : 3,
                  "ScorllPage" : 4, "WheelScorlllinse" : 5 })"));
    EXPECT_EQ(saved["ReportStages"]["StageActive"], 6);
}

TEST_F(MouseProfiledataTest, CorrectListReadsNamesAsUtf8) {
    LoadSection(R"({ "CorrectInfo" : [ { "CorrectPixThresh" : 4, "CorrectMinSq" : 300,
        "CorrectSelect" : 1, "CorrectName" : "\u81ea\u5b9a\u4e49" }, null ] })");
    const std::vector<CorrectEntry> list = m_data.GetCorrectList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].pixThresh, 4);
    EXPECT_EQ(list[0].minSq, 300 & 0xFF);
    EXPECT_EQ(list[0].select, 1);
    EXPECT_EQ(list[0].name, QString::fromUtf8("\xe8\x87\xaa\xe5\xae\x9a\xe4\xb9\x89"));
    EXPECT_TRUE(list[1].name.isEmpty());
}

TEST_F(MouseProfiledataTest, WrongMemberTypesMakeTheFileUnreadable) {
    ASSERT_TRUE(test::WriteAll(Path("default.Json"), R"({ "Device" : [ { "x" : 1 } ] })"));
    for (const char* section :
         {R"({ "DPIStages" : [] })", R"({ "DPIStages" : { "StageDPIs" : [ 1 ] } })",
          R"({ "SystemStages" : { "MouseSpeed" : "fast" } })", R"({ "ReportStages" : 1 })",
          R"({ "CorrectInfo" : [ { "CorrectName" : 5 } ] })"}) {
        SCOPED_TRACE(section);
        ASSERT_TRUE(test::WriteAll(Path("profile.Json"),
                                   QByteArray(R"({ "Device" : [ )") + section + " ] }"));
        EXPECT_EQ(m_data.LoadSection(Path("profile.Json")), Parse(R"({ "x" : 1 })"));
    }
}

}  // namespace
}  // namespace ravo
