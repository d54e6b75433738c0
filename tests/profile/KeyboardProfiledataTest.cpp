// ctest-labels: asan
#include "profile/KeyboardProfiledata.h"

#include "tests/profile/ProfileFixture.h"

namespace ravo {
namespace {

using test::Parse;
using test::WriteAll;

using KeyboardProfiledataTest = test::ProfileFixture<CKeyboardProfiledata>;

TEST_F(KeyboardProfiledataTest, LightInfoReadsFlagsAsBooleansAndWritesIntegers) {
    LoadSection(R"({ "LightInfo" : { "SelectItem" : 20, "Light" : 3, "Speed" : 1, "Fx" : 0,
        "MultiColor" : 5, "Red" : 258, "Green" : 2, "Blue" : 3, "ZZCCLedMode" : 4,
        "CustomGroup" : 2, "OldLedmode" : 9 } })");
    const LightSettings s = m_data.GetLightInfo();
    EXPECT_EQ(s.mode, 20);
    EXPECT_EQ(s.brightness, 3);
    EXPECT_EQ(s.speed, 1);
    EXPECT_EQ(s.direction, 0);
    EXPECT_EQ(s.multiColor, 1);
    EXPECT_EQ(s.red, 2);  // low bits of 258
    EXPECT_EQ(s.zzccLedMode, 4);
    EXPECT_EQ(s.customGroup, 2);
    EXPECT_EQ(s.oldLedMode, 9);
    m_data.SetLightInfo(s);
    EXPECT_EQ(Saved()["LightInfo"],
              Parse(R"({ "SelectItem" : 20, "Light" : 3, "Speed" : 1, "Fx" : 0, "MultiColor" : 1,
                  "Red" : 2, "Green" : 2, "Blue" : 3, "ZZCCLedMode" : 4, "CustomGroup" : 2,
                  "OldLedmode" : 9 })"));
}

TEST_F(KeyboardProfiledataTest, LightInfoWordsMapToBytes) {
    LoadSection("{}");
    m_data.SetLightInfo(0x01020304, 0x05060708, 0x0A000000, 0x0C0B);
    const LightSettings s = m_data.GetLightInfo();
    EXPECT_EQ(s.mode, 4);
    EXPECT_EQ(s.direction, 1);
    EXPECT_EQ(s.multiColor, 1);  // 8 is stored as a flag
    EXPECT_EQ(s.blue, 5);
    EXPECT_EQ(s.zzccLedMode, 0x0A);
    EXPECT_EQ(s.customGroup, 0x0B);
    EXPECT_EQ(s.oldLedMode, 0x0C);
    const LightWords w = LightSettingsToWords(s);
    EXPECT_EQ(w.word0, 0x01020304u);
    EXPECT_EQ(w.word2, 0x0A000000u);  // the reserved bytes are not stored
    EXPECT_EQ(w.word3, 0x0C0B);
}

TEST_F(KeyboardProfiledataTest, AbsentMembersReadAsZeroAndAreWrittenAsNull) {
    LoadSection(R"({ "LightInfo" : { "Red" : 7 }, "SystemStages" : {} })");
    EXPECT_EQ(m_data.GetLightInfo().red, 7);
    EXPECT_EQ(m_data.GetSystemStages(), (SystemWords{0, 0, 0}));
    const Json::Value saved = Saved();
    EXPECT_TRUE(saved["LightInfo"].isMember("MultiColor"));
    EXPECT_TRUE(saved["LightInfo"]["MultiColor"].isNull());
    EXPECT_TRUE(saved["SystemStages"].isMember("WinFlag"));
    EXPECT_TRUE(saved["SystemStages"]["WinFlag"].isNull());
}

TEST_F(KeyboardProfiledataTest, MissingLightInfoGivesZeroRecord) {
    LoadSection(R"({ "KeyList" : [] })");
    const LightSettings s = m_data.GetLightInfo();
    EXPECT_EQ(LightSettingsToWords(s).word0, 0u);
    EXPECT_EQ(LightSettingsToWords(s).word1, 0u);
}

TEST_F(KeyboardProfiledataTest, AudioLightInfoRoundTrip) {
    LoadSection(R"({ "AudioLightInfo" : { "AudioMode" : 3, "BkColorR" : 1, "BkColorG" : 2,
        "BkColorB" : 3, "FgColorR" : 4, "FgColorG" : 5, "FgColorB" : 6, "7ColorFlags" : 2,
        "ColorTypeFlags" : true } })");
    const AudioLightSettings a = m_data.GetAudioLightInfo();
    const AudioLightWords w = AudioLightSettingsToWords(a);
    EXPECT_EQ(w.word0, 0x03020103u);
    EXPECT_EQ(w.word1, 0x01060504u);
    EXPECT_EQ(w.word2, 1u);
    m_data.SetAudioLightInfo(w.word0, w.word1, 0);
    const Json::Value saved = Saved()["AudioLightInfo"];
    EXPECT_EQ(saved["7ColorFlags"], 1);
    EXPECT_EQ(saved["ColorTypeFlags"], 0);
    EXPECT_EQ(saved["FgColorB"], 6);
}

TEST_F(KeyboardProfiledataTest, KeyListIsAddressedByPosition) {
    std::string list;
    for (int i = 0; i < 90; ++i)
        list += (i ? ", " : "") + std::string(R"({ "Assignment" : )") +
                std::to_string(0x200000 + i) + R"(, "DefaultAssignment" : 2097193 })";
    LoadSection(R"({ "KeyList" : [ )" + list + " ] }");
    std::vector<KeyListEntry> keys = m_data.GetKeyList();
    ASSERT_EQ(keys.size(), 90u);
    for (uint16_t i = 0; i < 90; ++i) {
        EXPECT_EQ(keys[i].current.keyNumber, i);
        EXPECT_EQ(keys[i].defaults.keyNumber, i);
        EXPECT_EQ(keys[i].current.code, (KeyCode{0x20, 0, static_cast<uint8_t>(i)}));
        EXPECT_EQ(keys[i].defaults.code, (KeyCode{0x20, 0, 0x29}));
    }

    keys.resize(126);
    keys[125].current.code = KeyCode{0x20, 0x80, 0};
    m_data.SetKeyList(keys);
    const Json::Value saved = Saved()["KeyList"];
    ASSERT_EQ(saved.size(), 126u);
    EXPECT_EQ(saved[89]["DefaultAssignment"], 2097193);
    EXPECT_EQ(saved[125], Parse(R"({ "Assignment" : 2129920 })"));
    EXPECT_FALSE(saved[100].isMember("DefaultAssignment"));
}

TEST_F(KeyboardProfiledataTest, MacroKeyCodeRoundTrip) {
    LoadSection(R"({ "KeyList" : [ { "Assignment" : 0, "DefaultAssignment" : 0 } ] })");
    std::vector<KeyListEntry> keys = m_data.GetKeyList();
    keys[0].current.code = KeyCode{0x70, 3, 1};
    m_data.SetKeyList(keys);
    EXPECT_EQ(Saved()["KeyList"][0]["Assignment"], 0x70 * 65536 + 3 * 256 + 1);
    m_data.LoadSection(Path("profile.Json"));
    EXPECT_EQ(m_data.GetKeyList()[0].current.code, (KeyCode{0x70, 3, 1}));
}

TEST_F(KeyboardProfiledataTest, LightListMarksPresentAndNullElements) {
    LoadSection(R"({ "LightList" : [ null, { "LEDREGMode" : 5, "LEDBrightness" : 4,
        "LEDSpeed" : 2, "LEDDirection" : 7, "LEDMultiColor" : false, "red" : 1,
        "green" : 2, "blue" : 3 } ] })");
    const std::vector<LightListEntry> list = m_data.GetLightList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].present, 0);
    EXPECT_EQ(list[0].mode, 0);
    EXPECT_EQ(list[1].present, 1);
    EXPECT_EQ(list[1].mode, 5);
    EXPECT_EQ(list[1].direction, 1);
    EXPECT_EQ(list[1].multiColor, 0);
    EXPECT_EQ(list[1].blue, 3);
}

TEST_F(KeyboardProfiledataTest, SystemStagesAreSixHalfWords) {
    LoadSection(R"({ "SystemStages" : { "Repeat" : 20, "RepeatDelay" : 2, "Key6Flag" : 1,
        "PollingRate" : 3, "WFlag" : 65537, "WinFlag" : 1 } })");
    EXPECT_EQ(m_data.GetSystemStages(),
              (SystemWords{20 + (2u << 16), 1 + (3u << 16), 1 + (1u << 16)}));
    m_data.SetSystemStages({5 + (1u << 16), 0, 0x00020001});
    EXPECT_EQ(Saved()["SystemStages"],
              Parse(R"({ "Repeat" : 5, "RepeatDelay" : 1, "Key6Flag" : 0, "PollingRate" : 0,
                  "WFlag" : 1, "WinFlag" : 2 })"));
}

TEST_F(KeyboardProfiledataTest, MissingCustomGroupGivesZeroColoursWrittenOnSave) {
    LoadSection(R"({ "CustomLightMode" : { "CustomLightModeGroupIndex" : 1,
        "LightColorInfo" : [ [ { "Red" : 9, "Green" : 8, "Blue" : 7, "Alpha" : 255 } ] ] } })");
    EXPECT_EQ(m_data.GetCustomGroupIndex(), 1);
    const std::vector<CustomKeyColour> colours = m_data.GetCustomColours(2, 170);
    ASSERT_EQ(colours.size(), 170u);
    for (const CustomKeyColour& c : colours)
        EXPECT_EQ(c.red + c.green + c.blue + c.alpha, 0);
    const Json::Value saved = Saved()["CustomLightMode"]["LightColorInfo"];
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_TRUE(saved[1].isNull());
    ASSERT_EQ(saved[2].size(), 170u);
    EXPECT_EQ(saved[2][169], Parse(R"({ "Red" : 0, "Green" : 0, "Blue" : 0, "Alpha" : 0 })"));
}

TEST_F(KeyboardProfiledataTest, CustomColoursFillShortGroupsAndRoundTrip) {
    LoadSection(R"({ "CustomLightMode" : { "LightColorInfo" : [ [ null,
        { "Red" : 9, "Green" : 8, "Blue" : 7, "Alpha" : 255 } ] ] } })");
    std::vector<CustomKeyColour> colours = m_data.GetCustomColours(0, 4);
    ASSERT_EQ(colours.size(), 4u);
    EXPECT_EQ(colours[0].red, 0);
    EXPECT_EQ(colours[1].red, 9);
    EXPECT_EQ(colours[1].alpha, 255);
    colours[3] = CustomKeyColour{1, 2, 3, 4};
    m_data.SetCustomColours(colours, 0);
    m_data.SetCustomGroupIndex(0);
    const Json::Value saved = Saved()["CustomLightMode"];
    EXPECT_EQ(saved["CustomLightModeGroupIndex"], 0);
    ASSERT_EQ(saved["LightColorInfo"][0].size(), 4u);
    EXPECT_EQ(saved["LightColorInfo"][0][0]["Red"], 0);
    EXPECT_EQ(saved["LightColorInfo"][0][3]["Alpha"], 4);
}

TEST_F(KeyboardProfiledataTest, LightStepsComeFromTheUserFolder) {
    LoadSection(R"({ "LightInfo" : { "SelectItem" : 1 } })");
    ASSERT_TRUE(WriteAll(Path("veldo_light.config"), R"({ "LightInfo" : [ [
        { "LightName" : "Zero", "Guid" : "zero" },
        { "LightName" : "Mine", "Guid" : "20240101120000" } ] ] })"));
    ASSERT_TRUE(WriteAll(Path("20240101120000.light"), R"({ "LEDEffectList" : [
        { "LEDREGMode" : 3, "LEDBrightness" : 4, "LEDSpeed" : 1, "LEDDirection" : 1,
          "LEDMultiColor" : 0, "red" : 10, "green" : 20, "blue" : 30, "Time" : 1500,
          "Cyle" : -1 }, null ] })"));
    m_data.LoadLightList(Path("veldo_light.config"));
    m_data.GetLightInfo();
    const std::vector<LightStep> steps = m_data.GetLightSteps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].mode, 3);
    EXPECT_EQ(steps[0].blue, 30);
    EXPECT_EQ(steps[0].time, 1500);
    EXPECT_EQ(steps[0].cycle, -1);
    EXPECT_EQ(steps[1].time, 0);
}

TEST_F(KeyboardProfiledataTest, LightStepFileNamesOutsideTheFolderAreRefused) {
    LoadSection(R"({ "LightInfo" : { "SelectItem" : 0 } })");
    QDir(m_dir.path()).mkdir("sub");
    ASSERT_TRUE(WriteAll(Path("sub/x.light"), R"({ "LEDEffectList" : [ {} ] })"));
    ASSERT_TRUE(WriteAll(m_dir.path() + ".light", R"({ "LEDEffectList" : [ {} ] })"));
    const QString outside = m_dir.path() + "/sub/x";
    for (const QString& guid : {QString("sub/x"), QString(".."),
                                QString("../") + QFileInfo(m_dir.path()).fileName() + "/sub/x",
                                QString("sub\\x"), outside, QString("")}) {
        SCOPED_TRACE(guid.toStdString());
        Json::Value list;
        list["LightInfo"][0][0]["Guid"] = guid.toStdString();
        ASSERT_TRUE(WriteJsonFile(list, Path("veldo_light.config")));
        m_data.LoadLightList(Path("veldo_light.config"));
        m_data.GetLightInfo();
        EXPECT_TRUE(m_data.GetLightSteps().empty());
    }
    QFile::remove(m_dir.path() + ".light");
}

TEST_F(KeyboardProfiledataTest, MissingLightListOrEntryGivesNoSteps) {
    LoadSection(R"({ "LightInfo" : { "SelectItem" : 5 } })");
    m_data.GetLightInfo();
    EXPECT_TRUE(m_data.LoadLightList(Path("veldo_light.config")).isNull());
    EXPECT_TRUE(m_data.GetLightSteps().empty());
    ASSERT_TRUE(
        WriteAll(Path("veldo_light.config"), R"({ "LightInfo" : [ [ { "Guid" : "a" } ] ] })"));
    m_data.LoadLightList(Path("veldo_light.config"));
    EXPECT_TRUE(m_data.GetLightSteps().empty());  // no entry 5
}

}  // namespace
}  // namespace ravo
