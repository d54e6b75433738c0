// ctest-labels: asan
#include "profile/KeyboardProfiledata.h"

#include "tests/profile/FailingWrites.h"
#include "tests/profile/ProfileTestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ravo {
namespace {

using test::Parse;
using test::ReadAll;
using test::WriteAll;

constexpr char kDefaultProfile[] = R"({
   "Device" : [ { "LightInfo" : { "SelectItem" : 4, "Red" : 255 }, "KeyList" : [ { "Assignment" : 2097193, "DefaultAssignment" : 2097193 } ] } ]
})";

class ProfileSectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        test::MakeWritableFolder(m_dir.path());
        ASSERT_TRUE(WriteAll(Path("default.Json"), kDefaultProfile));
        m_data.SetDefaultPath(Path("default.Json"));
        m_data.SetProfilePath(Path("profile.Json"));
    }
    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }
    Json::Value DefaultSection() const { return Parse(kDefaultProfile)["Device"][0]; }
    Json::Value FileOnDisk(const QString& name) const { return LoadJsonFile(Path(name)); }

    QTemporaryDir m_dir;
    CKeyboardProfiledata m_data;
};

TEST_F(ProfileSectionTest, MissingSectionComesFromDefaultAndIsWrittenOnce) {
    ASSERT_TRUE(WriteAll(Path("profile.Json"), R"({ "profilename" : "Mine" })"));
    EXPECT_EQ(m_data.LoadSection(Path("profile.Json")), DefaultSection());
    EXPECT_TRUE(m_data.LastError().isEmpty());
    Json::Value expected = Parse(R"({ "profilename" : "Mine" })");
    expected["Device"][0] = DefaultSection();
    EXPECT_EQ(FileOnDisk("profile.Json"), expected);

    // Second load finds the section and writes nothing.
    const QFileInfo before(Path("profile.Json"));
    const QByteArray bytes = ReadAll(Path("profile.Json"));
    ASSERT_TRUE(WriteAll(Path("profile.Json"), bytes + "\n// untouched\n"));
    EXPECT_EQ(m_data.LoadSection(Path("profile.Json")), DefaultSection());
    EXPECT_EQ(ReadAll(Path("profile.Json")), bytes + "\n// untouched\n");
}

TEST_F(ProfileSectionTest, MissingFileIsCreatedFromDefault) {
    EXPECT_EQ(m_data.LoadSection(Path("profile.Json")), DefaultSection());
    Json::Value expected;
    expected["Device"][0] = DefaultSection();
    EXPECT_EQ(FileOnDisk("profile.Json"), expected);
}

TEST_F(ProfileSectionTest, MissingDefaultGivesNullSectionAndZeroRecords) {
    m_data.SetDefaultPath(Path("nothing.Json"));
    EXPECT_TRUE(m_data.LoadSection(Path("profile.Json")).isNull());
    EXPECT_EQ(FileOnDisk("profile.Json"), Parse(R"({ "Device" : [ null ] })"));
    EXPECT_EQ(m_data.GetLightInfo().mode, 0);
    EXPECT_TRUE(m_data.GetKeyList().empty());
    EXPECT_TRUE(m_data.GetLightList().empty());
    EXPECT_EQ(m_data.GetSystemStages(), (SystemWords{0, 0, 0}));
    EXPECT_TRUE(m_data.CurrentSection().isNull());  // reading does not turn null into an object
}

TEST_F(ProfileSectionTest, UnusableFilesAreReplacedFromDefaultAndKept) {
    // Every shape that must load like an unreadable file.
    const char* const shapes[] = {
        "not json at all",
        "{ \"Device\" : ",
        "[ 1, 2, 3 ]",
        "42",
        "\"text\"",
        R"({ "Device" : 5 })",
        R"({ "Device" : { "0" : {} } })",
        R"({ "Device" : [ 7 ] })",
        R"({ "Device" : [ [] ] })",
        R"({ "Device" : [ { "LightInfo" : 3 } ] })",
        R"({ "Device" : [ { "LightInfo" : [] } ] })",
        R"({ "Device" : [ { "LightInfo" : { "Red" : "255" } } ] })",
        R"({ "Device" : [ { "LightInfo" : { "Red" : {} } } ] })",
        R"({ "Device" : [ { "LightInfo" : { "MultiColor" : [ 1 ] } } ] })",
        R"({ "Device" : [ { "LightInfo" : { "Red" : 1e300 } } ] })",
        R"({ "Device" : [ { "AudioLightInfo" : { "AudioMode" : "x" } } ] })",
        R"({ "Device" : [ { "KeyList" : {} } ] })",
        R"({ "Device" : [ { "KeyList" : [ 5 ] } ] })",
        R"({ "Device" : [ { "KeyList" : [ { "Assignment" : "A" } ] } ] })",
        R"({ "Device" : [ { "LightList" : "none" } ] })",
        R"({ "Device" : [ { "LightList" : [ [ 1 ] ] } ] })",
        R"({ "Device" : [ { "SystemStages" : [ 1, 2 ] } ] })",
        R"({ "Device" : [ { "SystemStages" : { "Repeat" : null, "WinFlag" : "on" } } ] })",
        R"({ "Device" : [ { "CustomLightMode" : 1 } ] })",
        R"({ "Device" : [ { "CustomLightMode" : { "CustomLightModeGroupIndex" : "0" } } ] })",
        R"({ "Device" : [ { "CustomLightMode" : { "LightColorInfo" : {} } } ] })",
        R"({ "Device" : [ { "CustomLightMode" : { "LightColorInfo" : [ {} ] } } ] })",
        R"({ "Device" : [ { "CustomLightMode" : { "LightColorInfo" : [ [ { "Red" : true, "Alpha" : [] } ] ] } } ] })",
    };
    for (const char* shape : shapes) {
        SCOPED_TRACE(shape);
        ASSERT_TRUE(WriteAll(Path("profile.Json"), shape));
        QFile::remove(Path("profile.Json.unreadable"));
        EXPECT_EQ(m_data.LoadSection(Path("profile.Json")), DefaultSection());
        Json::Value expected;
        expected["Device"][0] = DefaultSection();
        EXPECT_EQ(FileOnDisk("profile.Json"), expected);
        EXPECT_EQ(ReadAll(Path("profile.Json.unreadable")), QByteArray(shape));
        // Every getter copes with what it got.
        m_data.GetLightInfo();
        m_data.GetAudioLightInfo();
        m_data.GetKeyList();
        m_data.GetLightList();
        m_data.GetSystemStages();
        m_data.GetCustomGroupIndex();
        m_data.GetCustomColours(0, 170);
    }
}

TEST_F(ProfileSectionTest, AcceptedShapesKeepTheFile) {
    const char* const shapes[] = {
        R"({ "Device" : [ { "LightInfo" : { "Red" : true, "Green" : 1.5, "Blue" : null } } ] })",
        R"({ "Device" : [ { "KeyList" : [ null, { "Assignment" : 4294967295 } ] } ] })",
        R"({ "Device" : [ { "Unknown" : [ "kept", { "as" : "is" } ] } ] })",
        R"({ "Device" : [ {}, "other devices are not ours to judge" ] })",
    };
    for (const char* shape : shapes) {
        SCOPED_TRACE(shape);
        ASSERT_TRUE(WriteAll(Path("profile.Json"), shape));
        EXPECT_EQ(m_data.LoadSection(Path("profile.Json")), Parse(shape)["Device"][0]);
        EXPECT_EQ(ReadAll(Path("profile.Json")), QByteArray(shape));
    }
}

TEST_F(ProfileSectionTest, SaveReplacesOnlyThisDevicesElement) {
    const char* const file = R"({
        "profilename" : "Two", "profileUUID" : "ABC",
        "Device" : [ { "LightInfo" : { "Red" : 1 } }, { "LightInfo" : { "Red" : 2 } } ] })";
    ASSERT_TRUE(WriteAll(Path("profile.Json"), file));
    m_data.LoadSection(Path("profile.Json"));
    LightSettings s = m_data.GetLightInfo();
    s.red = 99;
    m_data.SetLightInfo(s);
    ASSERT_TRUE(m_data.SaveProfile()) << m_data.LastError().toStdString();

    const Json::Value saved = FileOnDisk("profile.Json");
    EXPECT_EQ(saved["profilename"], "Two");
    EXPECT_EQ(saved["profileUUID"], "ABC");
    EXPECT_EQ(saved["Device"][0]["LightInfo"]["Red"], 99);
    EXPECT_EQ(saved["Device"][1], Parse(file)["Device"][1]);
}

TEST_F(ProfileSectionTest, SaveRereadsTheFileBeforeWriting) {
    m_data.LoadSection(Path("profile.Json"));
    // Someone else (the profile list) renames the profile in between.
    Json::Value renamed = FileOnDisk("profile.Json");
    renamed["profilename"] = "Renamed";
    ASSERT_TRUE(WriteJsonFile(renamed, Path("profile.Json")));
    m_data.SetLightInfo(LightSettings{});
    ASSERT_TRUE(m_data.SaveProfile());
    EXPECT_EQ(FileOnDisk("profile.Json")["profilename"], "Renamed");
}

TEST_F(ProfileSectionTest, SaveOverUnparsableFileStartsAfreshAndKeepsCopy) {
    ASSERT_TRUE(WriteAll(Path("other.Json"), "{ broken"));
    ASSERT_TRUE(m_data.SaveSectionTo(Parse(R"({ "a" : 1 })"), Path("other.Json")));
    EXPECT_EQ(FileOnDisk("other.Json"), Parse(R"({ "Device" : [ { "a" : 1 } ] })"));
    EXPECT_EQ(ReadAll(Path("other.Json.unreadable")), QByteArray("{ broken"));
}

TEST_F(ProfileSectionTest, SecondSectionIsSeparate) {
    ASSERT_TRUE(WriteAll(Path("profile.Json"),
                         R"({ "Device" : [ { "KeyList" : [ { "Assignment" : 1 } ] } ] })"));
    ASSERT_TRUE(WriteAll(Path("second.Json"),
                         R"({ "Device" : [ { "KeyList" : [ { "Assignment" : 2 } ] } ] })"));
    m_data.LoadSection(Path("profile.Json"));
    m_data.LoadSecondSection(Path("second.Json"));
    std::vector<KeyListEntry> second = m_data.GetSecondKeyList();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].current.code.param2, 2);
    second[0].current.code = KeyCode{0x20, 0, 0x04};
    m_data.SetSecondKeyList(second);
    ASSERT_TRUE(m_data.SaveSecondSectionTo(Path("second.Json")));
    EXPECT_EQ(FileOnDisk("second.Json")["Device"][0]["KeyList"][0]["Assignment"], 0x200004);
    EXPECT_EQ(m_data.GetKeyList()[0].current.code.param2, 1);
    EXPECT_EQ(FileOnDisk("profile.Json")["Device"][0]["KeyList"][0]["Assignment"], 1);
}

TEST_F(ProfileSectionTest, FailedSaveLeavesFileIntactAndSaysSo) {
    m_data.LoadSection(Path("profile.Json"));
    const QByteArray before = ReadAll(Path("profile.Json"));
    ASSERT_FALSE(before.isEmpty());
    std::vector<KeyListEntry> keys(126);
    m_data.SetKeyList(keys);

    {
        test::FileSizeLimit limit(static_cast<rlim_t>(before.size()));
        EXPECT_FALSE(m_data.SaveProfile());
    }
    EXPECT_FALSE(m_data.LastError().isEmpty());
    EXPECT_EQ(ReadAll(Path("profile.Json")), before);

    test::MakeReadOnlyFolder(m_dir.path());
    bool saved = true;
    {
        test::UnprivilegedFileAccess unprivileged;
        if (unprivileged.active())
            saved = m_data.SaveProfile();
    }
    test::MakeWritableFolder(m_dir.path());
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(Path("profile.Json")), before);

    // Once the folder is writable again the same save goes through.
    EXPECT_TRUE(m_data.SaveProfile());
    EXPECT_TRUE(m_data.LastError().isEmpty());
    EXPECT_EQ(FileOnDisk("profile.Json")["Device"][0]["KeyList"].size(), 126u);
}

TEST_F(ProfileSectionTest, FileThatCannotBeReadIsNeverOverwritten) {
    const QByteArray secret = R"({ "Device" : [ null ], "profilename" : "keep" })";
    ASSERT_TRUE(WriteAll(Path("profile.Json"), secret));
    QFile::setPermissions(Path("profile.Json"), QFile::ReadOwner | QFile::WriteOwner);
    bool saved = true;
    {
        test::UnprivilegedFileAccess unprivileged;
        if (!unprivileged.active())
            GTEST_SKIP() << "cannot drop file privileges";
        if (geteuid() != 0)
            GTEST_SKIP() << "the file is ours, so it stays readable";
        m_data.LoadSection(Path("profile.Json"));
        EXPECT_FALSE(m_data.LastError().isEmpty());
        saved = m_data.SaveProfile();
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadAll(Path("profile.Json")), secret);
}

}  // namespace
}  // namespace ravo
