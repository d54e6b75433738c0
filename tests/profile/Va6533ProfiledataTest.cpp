// ctest-labels: asan
#include "profile/Va6533Profiledata.h"

#include "tests/profile/ProfileFixture.h"

namespace ravo {
namespace {

using test::Parse;

using Va6533ProfiledataTest = test::ProfileFixture<CVa6533Profiledata>;

std::string Bands(int first) {
    std::string text = "[ ";
    for (int i = 0; i < 10; ++i)
        text += (i ? ", " : "") + std::string(R"({ "value" : )") + std::to_string(first + i) + " }";
    return text + " ]";
}

TEST_F(Va6533ProfiledataTest, EqualiserTypesChooseTheirEntry) {
    LoadSection(R"({ "EQHzValueInfo" : [ )" + Bands(0) + ", " + Bands(100) + ", " + Bands(200) +
                " ] }");
    struct Case {
        int type;
        int first;  // -1: no values
    };
    const Case cases[] = {{1, 100}, {2, 200}, {0, 100}, {20, 100}, {-3, 100}, {13, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const std::vector<int32_t> values = m_data.GetEqValues(c.type);
        if (c.first < 0) {
            EXPECT_TRUE(values.empty());
            continue;
        }
        ASSERT_EQ(values.size(), 10u);
        EXPECT_EQ(values[0], c.first);
        EXPECT_EQ(values[9], c.first + 9);
    }
}

TEST_F(Va6533ProfiledataTest, MissingBandValuesAreCreatedAsZero) {
    LoadSection(R"({ "EQHzValueInfo" : [ null, [ { "value" : -7 } ] ] })");
    const std::vector<int32_t> values = m_data.GetEqValues(5);
    EXPECT_EQ(values, std::vector<int32_t>(10, 0));
    const Json::Value saved = Saved()["EQHzValueInfo"];
    ASSERT_EQ(saved.size(), 6u);
    ASSERT_EQ(saved[5].size(), 10u);
    EXPECT_EQ(saved[5][9]["value"], 0);
    EXPECT_EQ(saved[1][0]["value"], -7);
}

TEST_F(Va6533ProfiledataTest, SetEqValuesWritesTenAndSkipsUserType) {
    LoadSection("{}");
    const std::vector<int32_t> values{7, 11, 2, -3, -1, 4, 9, 12, 9, 5};
    m_data.SetEqValues(20, values);
    m_data.SetEqValues(13, {1, 2, 3});
    const Json::Value saved = Saved();
    EXPECT_EQ(saved["EQHzValueInfo"].size(), 2u);
    EXPECT_EQ(saved["EQHzValueInfo"][1][3]["value"], -3);
    EXPECT_EQ(m_data.GetEqValues(1), values);
}

TEST_F(Va6533ProfiledataTest, SystemSetStagesInFileOrder) {
    LoadSection(R"({ "SystemSetStages" : { "MagicEnable" : 1, "MagicType" : 2, "EqType" : 13,
        "CustomEqSeletIndex" : 4, "MicInSelect" : 1, "MicInValue" : 37, "MicMoniterSelect" : 0,
        "MicMoniterValue" : 100 } })");
    HeadsetAudioSettings s = m_data.GetSystemSetStages();
    EXPECT_EQ(s.magicType, 2);
    EXPECT_EQ(s.eqType, 13);
    EXPECT_EQ(s.customEqSelectIndex, 4);
    EXPECT_EQ(s.micInValue, 37);
    EXPECT_EQ(s.micMonitorValue, 100);
    s.micMonitorSelect = 1;
    m_data.SetSystemSetStages(s);
    EXPECT_EQ(Saved()["SystemSetStages"]["MicMoniterSelect"], 1);

    LoadSection(R"({ "LightInfo" : {} })");
    EXPECT_EQ(m_data.GetSystemSetStages().micInValue, 0);
}

TEST_F(Va6533ProfiledataTest, CustomPresetsNamesAndValues) {
    LoadSection(R"({ "CustomEQNameInfo" : [ { "Name" : "B\u00e4ss" }, { "Name" : "Voice" } ],
        "CustomEQHzValueInfo" : [ )" +
                Bands(1) + " ] }");
    const std::vector<QString> names = m_data.GetCustomEqNames();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], QString::fromUtf8("B\xc3\xa4ss"));
    EXPECT_EQ(m_data.GetCustomEqValues(0)[9], 10);

    m_data.SetCustomEqNames({QString::fromUtf8("\xe4\xba\xba\xe5\xa3\xb0")});
    m_data.SetCustomEqValues(1, std::vector<int32_t>(10, -4));
    const Json::Value saved = Saved();
    EXPECT_EQ(saved["CustomEQNameInfo"], Parse(R"([ { "Name" : "\u4eba\u58f0" } ])"));
    EXPECT_EQ(saved["CustomEQHzValueInfo"][1][0]["value"], -4);
}

}  // namespace
}  // namespace ravo
