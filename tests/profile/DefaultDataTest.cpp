// ctest-labels: asan
#include "profile/DataFolders.h"
#include "profile/JsonFiles.h"
#include "profile/KeyboardProfiledata.h"
#include "profile/MouseProfiledata.h"
#include "profile/Va6533Profiledata.h"

#include "tests/support/TempXdgDirs.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace ravo {
namespace {

// Loads a device's default profile the way a device object does on first start: into a new
// profile file in the device's user folder.
template <typename Profiledata>
std::unique_ptr<Profiledata> LoadDefaults(const QString& deviceFolder) {
    auto data = std::make_unique<Profiledata>();
    data->SetDefaultPath(DefaultProfilePathFor(deviceFolder));
    const QString path = DeviceUserFolder(deviceFolder) + "first.Json";
    data->SetProfilePath(path);
    EXPECT_FALSE(data->LoadSection(path).isNull()) << deviceFolder.toStdString();
    EXPECT_TRUE(data->LastError().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(path));
    return data;
}

class DefaultDataTest : public ::testing::Test {
protected:
    test::TempXdgDirs m_xdg;
};

TEST_F(DefaultDataTest, FoldersFollowXdgAndTheProgram) {
    EXPECT_EQ(UserDataFolder(), m_xdg.dataHome() + "/RAVO TKL RGB/");
    EXPECT_EQ(DeviceUserFolder("keyboard"), m_xdg.dataHome() + "/RAVO TKL RGB/keyboard/");
    EXPECT_TRUE(QFileInfo(m_xdg.dataHome() + "/RAVO TKL RGB/keyboard").isDir());
    EXPECT_TRUE(ProgramDataFolder().endsWith("/DefaultData/"));
    EXPECT_TRUE(QFileInfo::exists(ProgramDataFolder() + "keyboard.Json"));

    SetProgramDataFolder(m_xdg.root());
    EXPECT_EQ(DefaultProfilePathFor("mouse"), m_xdg.root() + "/mouse.Json");
    SetProgramDataFolder(QString());
    EXPECT_TRUE(QFileInfo::exists(DefaultProfilePathFor("mouse")));
}

TEST_F(DefaultDataTest, KeyboardDefaultsHoldEveryKeysDefaultCode) {
    const auto data = LoadDefaults<CKeyboardProfiledata>("keyboard");
    const std::vector<KeyListEntry> keys = data->GetKeyList();
    ASSERT_EQ(keys.size(), 126u);
    std::map<uint32_t, std::vector<int>> byCode;
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].current.code, keys[i].defaults.code) << i;
        byCode[KeyCodeToInt(keys[i].defaults.code)].push_back(static_cast<int>(i));
    }
    const std::pair<int, KeyCode> samples[] = {
        {0, {0x20, 0, 0x29}},   {1, {0x20, 0, 0x3A}},   {15, {0x20, 0, 0x48}},
        {16, {0xA0, 0x1B, 0}},  {17, {0xA0, 0x24, 0}},  {21, {0x20, 0, 0x35}},
        {31, {0x20, 0, 0x27}},  {41, {0x20, 0, 0x56}},  {64, {0x20, 0, 0x04}},
        {75, {0x20, 0, 0x28}},  {81, {0x20, 0, 0x90}},  {84, {0x20, 0x02, 0}},
        {95, {0x20, 0x20, 0}},  {108, {0x20, 0, 0x2C}}, {110, {0xA0, 0x01, 0}},
        {119, {0x20, 0, 0x57}}, {120, {0xD0, 0xA2, 1}}, {124, {0xD0, 0xA2, 5}},
        {125, {0x20, 0x80, 0}},
    };
    for (const auto& [key, code] : samples)
        EXPECT_EQ(keys[static_cast<size_t>(key)].defaults.code, code) << key;
    // Codes identify keys: only the unused positions share the empty code.
    for (const auto& [code, users] : byCode) {
        if (code == 0x200000)
            EXPECT_EQ(users, (std::vector<int>{18, 19, 20, 104}));
        else
            EXPECT_EQ(users.size(), 1u) << std::hex << code;
    }

    const LightSettings light = data->GetLightInfo();
    EXPECT_LE(light.mode, 30);
    EXPECT_LE(light.brightness, 4);
    EXPECT_LE(light.speed, 4);
    const SystemWords words = data->GetSystemStages();
    EXPECT_LE(words[0] >> 16, 3u);  // repeat delay option
    EXPECT_EQ(data->GetCustomColours(0, 170).size(), 170u);
    EXPECT_TRUE(data->CurrentSection().isMember("AudioLightInfo"));
    EXPECT_TRUE(data->CurrentSection()["LightList"].isArray());
}

TEST_F(DefaultDataTest, OtherDevicesDefaultsLoad) {
    const auto mouse = LoadDefaults<CMouseProfiledata>("mouse");
    EXPECT_EQ(mouse->GetKeyList().size(), 11u);
    EXPECT_EQ(mouse->GetDpiStages().size(), 5u);
    EXPECT_LT(mouse->GetActiveStage(), 5);
    EXPECT_LE(mouse->GetMouseSystemWords()[2] >> 16, 4u);  // polling-rate option

    const auto pad = LoadDefaults<CBasicProfiledata>("MousePad");
    EXPECT_LE(pad->GetLightInfo().mode, 8);

    const auto headset = LoadDefaults<CVa6533Profiledata>("HD");
    EXPECT_EQ(headset->GetEqValues(1), (std::vector<int32_t>{7, 11, 2, -3, -1, 4, 9, 12, 9, 5}));
    EXPECT_EQ(headset->GetEqValues(5), std::vector<int32_t>(10, 0));
    EXPECT_EQ(headset->GetEqValues(12),
              (std::vector<int32_t>{2, 1, -2, -4, -8, 4, 12, 16, 18, 15}));
    const HeadsetAudioSettings audio = headset->GetSystemSetStages();
    EXPECT_GE(audio.eqType, 1);
    EXPECT_LE(audio.eqType, 12);
    EXPECT_LE(audio.micInValue, 100);
}

TEST_F(DefaultDataTest, DefaultLightNamesGiveEveryDeviceItsModes) {
    const Json::Value doc = LoadJsonFile(ProgramDataFolder() + "default_light.json");
    ASSERT_TRUE(doc.isObject());
    const Json::Value& modes = doc["DefaultLightName"];
    const Json::Value& areas = doc["AreaLightName"];
    ASSERT_TRUE(modes.isArray());
    ASSERT_TRUE(areas.isArray());
    // Light-set index -> highest mode number the device's lighting knows.
    const std::pair<int, unsigned> sets[] = {{0, 30}, {1, 9}, {2, 8}, {3, 8}};
    for (const auto& [set, lastMode] : sets) {
        SCOPED_TRACE(set);
        const Json::Value& list = modes[set];
        ASSERT_EQ(list.size(), lastMode + 1);
        std::set<int> values;
        for (const Json::Value& mode : list) {
            ASSERT_TRUE(mode["LightName"].isString());
            EXPECT_FALSE(mode["LightName"].asString().empty());
            ASSERT_TRUE(mode["visible"].isBool());
            ASSERT_TRUE(mode["value"].isInt());
            EXPECT_GE(mode["value"].asInt(), 0);
            EXPECT_LE(mode["value"].asInt(), 255);
            values.insert(mode["value"].asInt());
        }
        EXPECT_EQ(values.size(), list.size());  // each mode its own device code
        ASSERT_TRUE(areas[set].isArray());
        for (const Json::Value& area : areas[set])
            EXPECT_TRUE(area["LightName"].isString());
    }
    // The keyboard's effect code of a mode is its number; the sequence modes are not offered.
    for (int mode = 0; mode <= 30; ++mode) {
        EXPECT_EQ(modes[0][mode]["value"], mode);
        EXPECT_EQ(modes[0][mode]["visible"].asBool(), mode != 0 && mode != 19) << mode;
    }
}

TEST_F(DefaultDataTest, AudioFileHoldsFourMusicGroups) {
    const Json::Value doc = LoadJsonFile(ProgramDataFolder() + "AudioFile.json");
    const Json::Value& set = doc["Device"]["AudioLightInfo"];
    ASSERT_TRUE(set.isObject());
    ASSERT_TRUE(set["nAudioStyle"].isInt());
    EXPECT_LE(set["nAudioStyle"].asInt(), 3);
    for (int group = 0; group < 4; ++group) {
        EXPECT_TRUE(set["nStyleName" + std::to_string(group + 1)].isString());
        for (const char* colour : {"nStyleR", "nStyleG", "nStyleB"}) {
            const Json::Value& level = set[colour + std::to_string(group)];
            ASSERT_TRUE(level.isInt()) << colour << group;
            EXPECT_GE(level.asInt(), 0);
            EXPECT_LE(level.asInt(), 9);
        }
    }
}

TEST_F(DefaultDataTest, ShippedFilesAreInTheProgramsOwnLayout) {
    for (const QString& name : QDir(ProgramDataFolder()).entryList(QDir::Files)) {
        SCOPED_TRACE(name.toStdString());
        const std::string text = readjsonFile(ProgramDataFolder() + name);
        const Json::Value value = ParseJsonText(text);
        ASSERT_FALSE(value.isNull());
        EXPECT_EQ(StyledJsonText(value), text);
    }
}

}  // namespace
}  // namespace ravo
