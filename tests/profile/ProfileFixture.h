#pragma once

#include "tests/profile/FailingWrites.h"
#include "tests/profile/ProfileTestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ravo::test {

// A temporary folder with a profile file whose device section the test gives as JSON text.
template <typename Profiledata>
class ProfileFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        MakeWritableFolder(m_dir.path());
        m_data.SetDefaultPath(Path("default.Json"));
        m_data.SetProfilePath(Path("profile.Json"));
        m_data.SetLightListPath(Path("veldo_light.config"));
    }
    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }

    // Loads a profile file whose "Device" element 0 is `section`.
    void LoadSection(const std::string& section) {
        const std::string text = "{ \"Device\" : [ " + section + " ] }";
        ASSERT_FALSE(Parse(text).isNull()) << text;
        ASSERT_TRUE(WriteAll(Path("profile.Json"), QByteArray::fromStdString(text)));
        m_data.LoadSection(Path("profile.Json"));
        ASSERT_EQ(m_data.CurrentSection(), Parse(section));
    }

    // The device section as saved to disk.
    Json::Value Saved() {
        EXPECT_TRUE(m_data.SaveProfile()) << m_data.LastError().toStdString();
        return LoadJsonFile(Path("profile.Json"))["Device"][0];
    }

    QTemporaryDir m_dir;
    Profiledata m_data;
};

}  // namespace ravo::test
