#include "profile/TextRoutines.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(TextRoutinesTest, SplitNumberedName) {
    struct Case {
        const char* text;
        bool ok;
        const char* prefix;
        int number;
    };
    const Case cases[] = {
        {"key_12", true, "key_", 12},
        {"light_0_5", true, "light_0_", 5},
        {"color_option_0", true, "color_option_", 0},
        {"KEY_125", true, "KEY_", 125},
        {"DPI_color_option_0", true, "DPI_color_option_", 0},
        {"color_option_007", true, "color_option_", 7},
        {"key12", false, "", 0},
        {"key_", false, "", 0},
        {"key_up", false, "", 0},
        {"key_-1", false, "", 0},
        {"key_1a", false, "", 0},
        {"key_butt_keysave", false, "", 0},
        {"key_99999999999", false, "", 0},
        {"", false, "", 0},
    };
    for (const Case& c : cases) {
        const NumberedName name = SplitNumberedName(QString::fromUtf8(c.text));
        EXPECT_EQ(name.ok, c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(name.prefix, QString::fromUtf8(c.prefix)) << c.text;
            EXPECT_EQ(name.number, c.number) << c.text;
        }
    }
}

TEST(TextRoutinesTest, HexWordIsEightUpperCaseDigits) {
    EXPECT_EQ(HexWord(0), "00000000");
    EXPECT_EQ(HexWord(0xABCDEF), "00ABCDEF");
    EXPECT_EQ(HexWord(0xFFFFFFFFu), "FFFFFFFF");
}

TEST(TextRoutinesTest, Utf8RoundTrip) {
    const std::string utf8 = "Profil \xc3\xa4 \xe9\x85\x8d\xe7\xbd\xae \xf0\x9f\x8e\xae";
    const QString wide = Utf8ToWide(utf8);
    EXPECT_EQ(wide.size(), 14);  // the emoji takes two UTF-16 units
    EXPECT_EQ(WideToUtf8(wide), utf8);
    EXPECT_TRUE(Utf8ToWide("").isEmpty());
}

}  // namespace
}  // namespace ravo
