// ctest-labels: asan
#include "profile/JsonFiles.h"

#include "tests/profile/FailingWrites.h"
#include "tests/profile/ProfileTestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ravo {
namespace {

using test::ReadAll;
using test::WriteAll;

class JsonFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        MakeWritable();
    }
    void MakeWritable() {
        // Traversable by the unprivileged user of the failed-write cases.
        test::MakeWritableFolder(m_dir.path());
    }
    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }

    QTemporaryDir m_dir;
};

TEST_F(JsonFilesTest, StyledOutputUsesThreeSpacesAndEndsWithOneLineBreak) {
    Json::Value value(Json::objectValue);
    value["b"] = 1;
    value["a"]["c"] = "x";
    value["list"].append(1);
    value["list"].append(2);
    value["empty"] = Json::Value(Json::arrayValue);
    value["none"] = Json::Value();
    const std::string expected =
        "{\n"
        "   \"a\" : {\n"
        "      \"c\" : \"x\"\n"
        "   },\n"
        "   \"b\" : 1,\n"
        "   \"empty\" : [],\n"
        "   \"list\" : [ 1, 2 ],\n"
        "   \"none\" : null\n"
        "}\n";
    EXPECT_EQ(StyledJsonText(value), expected);

    ASSERT_TRUE(WriteJsonFile(value, Path("styled.json")));
    EXPECT_EQ(ReadAll(Path("styled.json")).toStdString(), expected);
}

TEST_F(JsonFilesTest, WrittenFilesReadBackEqual) {
    Json::Value value(Json::objectValue);
    value["Device"][0]["LightInfo"]["Red"] = 255;
    value["profilename"] = "Profil \xc3\xa4\xe6\xb8\xb8";  // UTF-8 text survives
    ASSERT_TRUE(WriteJsonFile(value, Path("round.Json")));
    EXPECT_EQ(LoadJsonFile(Path("round.Json")), value);
}

TEST_F(JsonFilesTest, ReadingAcceptsCommentsAndRejectsBrokenText) {
    struct Case {
        const char* text;
        bool parses;
    };
    const Case cases[] = {
        {"{ // a comment\n \"a\" : 1 /* another */ }", true},
        {"{\"a\": 1}", true},
        {"[1, 2]", true},
        {"", false},
        {"{", false},
        {"{\"a\": }", false},
        {"\"unterminated", false},
        {"\xff\xfe{}", false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteAll(Path("case.json"), QByteArray(c.text)));
        EXPECT_EQ(!LoadJsonFile(Path("case.json")).isNull(), c.parses) << c.text;
    }
}

TEST_F(JsonFilesTest, DeepNestingIsRefusedWithoutException) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    ASSERT_TRUE(WriteAll(Path("deep.json"), QByteArray::fromStdString(deep)));
    EXPECT_TRUE(LoadJsonFile(Path("deep.json")).isNull());
}

TEST_F(JsonFilesTest, MissingOrEmptyFileReadsAsNothing) {
    EXPECT_TRUE(readjsonFile(Path("absent.json")).empty());
    EXPECT_TRUE(LoadJsonFile(Path("absent.json")).isNull());
    ASSERT_TRUE(WriteAll(Path("empty.json"), QByteArray()));
    EXPECT_TRUE(LoadJsonFile(Path("empty.json")).isNull());
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(Path("absent.json"), bytes), FileReadResult::Missing);
    EXPECT_EQ(ReadFileBytes(Path("empty.json"), bytes), FileReadResult::Ok);
    EXPECT_EQ(ReadFileBytes(m_dir.path(), bytes), FileReadResult::Failed);  // a folder
}

TEST_F(JsonFilesTest, FailedSaveIntoReadOnlyFolderKeepsOldFile) {
    const QString path = Path("profile.Json");
    const QByteArray old = "{ \"keep\" : \"me\" }\n";
    ASSERT_TRUE(WriteAll(path, old));
    Json::Value value(Json::objectValue);
    value["new"] = 1;

    test::MakeReadOnlyFolder(m_dir.path());
    bool written = true;
    QString error;
    {
        test::UnprivilegedFileAccess unprivileged;
        if (!unprivileged.active()) {
            MakeWritable();
            GTEST_SKIP() << "cannot drop file privileges";
        }
        written = WriteJsonFile(value, path, &error);
    }
    MakeWritable();
    EXPECT_FALSE(written);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"profile.Json"});
}

TEST_F(JsonFilesTest, WriteFailingMidwayKeepsOldFile) {
    const QString path = Path("profile.Json");
    const QByteArray old = "{ \"keep\" : \"me\" }\n";
    ASSERT_TRUE(WriteAll(path, old));
    // Small and large texts: a small one would sit in a write buffer until the file is closed.
    for (const int count : {100, 2000}) {
        SCOPED_TRACE(count);
        Json::Value value(Json::objectValue);
        for (int i = 0; i < count; ++i)
            value["KeyList"].append(i);
        ASSERT_GT(StyledJsonText(value).size(), 300u);

        bool written = true;
        QString error;
        {
            test::FileSizeLimit limit(300);
            written = WriteJsonFile(value, path, &error);
        }
        EXPECT_FALSE(written);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(ReadAll(path), old);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"profile.Json"});
    }
}

TEST_F(JsonFilesTest, SaveIntoMissingFolderFails) {
    QString error;
    EXPECT_FALSE(WriteJsonFile(Json::Value(1), Path("no/such/folder.json"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
}  // namespace ravo
