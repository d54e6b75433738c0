// ctest-labels: asan
#include "app/PrivateFonts.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ravo {
namespace {

const char* const kFreeFont = "/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf";

TEST(PrivateFontsTest, MissingOrBrokenFontsAreSkippedSilently) {
    QTemporaryDir dir;
    CPrivateFonts fonts;
    EXPECT_EQ(fonts.Load(dir.path()), 0) << "no Font folder at all";
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(fonts.FontId(i), -1);

    QDir(dir.path()).mkpath("Font");
    QFile broken(dir.filePath(CPrivateFonts::kFiles[1]));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a font at all");
    broken.close();
    QFile empty(dir.filePath(CPrivateFonts::kFiles[2]));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    EXPECT_EQ(fonts.Load(dir.path()), 0);
    EXPECT_EQ(fonts.FontId(1), -1);
    EXPECT_EQ(fonts.FontId(2), -1);
}

TEST(PrivateFontsTest, FontsLoadFromALongFolderPathAndGoAwayOnUnload) {
    if (!QFile::exists(kFreeFont))
        GTEST_SKIP() << "fonts-noto-core is not installed";
    QTemporaryDir dir;
    // Deeper than the 260 characters a fixed path buffer would hold.
    QString folder = dir.path();
    while (folder.size() < 300)
        folder += "/a_rather_long_folder_name";
    ASSERT_TRUE(QDir().mkpath(folder + "/Font"));
    ASSERT_TRUE(QFile::copy(kFreeFont, folder + "/" + CPrivateFonts::kFiles[2]));

    CPrivateFonts fonts;
    EXPECT_EQ(fonts.Load(folder), 1);
    const int id = fonts.FontId(2);
    ASSERT_GE(id, 0);
    EXPECT_FALSE(QFontDatabase::applicationFontFamilies(id).isEmpty());
    fonts.Unload();
    EXPECT_EQ(fonts.FontId(2), -1);
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).isEmpty());
}

}  // namespace
}  // namespace ravo
