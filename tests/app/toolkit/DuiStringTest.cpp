#include "app/toolkit/DuiString.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(DuiStringTest, FormatBuildsTextFromArguments) {
    CDuiString s;
    EXPECT_EQ(s.Format("%s_%d", "color_option", 12), 15);
    EXPECT_EQ(s, "color_option_12");
    EXPECT_EQ(CDuiString::FormatText("%02X-%ls", 0xAu, L"ü"), "0A-ü");
}

TEST(DuiStringTest, CompareNoCaseIgnoresCaseOnly) {
    EXPECT_EQ(CDuiString("DeviceKeyButton").CompareNoCase("devicekeybutton"), 0);
    EXPECT_LT(CDuiString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CDuiString("abd").CompareNoCase("ABC"), 0);
    EXPECT_NE(CDuiString("abc").Compare("ABC"), 0);
}

TEST(DuiStringTest, EmptyAndLower) {
    CDuiString s;
    EXPECT_TRUE(s.IsEmpty());
    s = "MiXeD Ä";
    EXPECT_FALSE(s.IsEmpty());
    s.MakeLower();
    EXPECT_EQ(s, "mixed ä");
}

TEST(DuiStringTest, ReverseFindGivesLastIndexOrMinusOne) {
    const CDuiString name("color_option_12");
    EXPECT_EQ(name.ReverseFind('_'), 12);
    EXPECT_EQ(name.ReverseFind('#'), -1);
    EXPECT_EQ(CDuiString().ReverseFind('_'), -1);
}

TEST(DuiStringTest, LeftAndMidClipToTheText) {
    const CDuiString s("key_button_7");
    struct Case {
        CDuiString got;
        const char* expected;
    };
    const Case cases[] = {
        {s.Left(3), "key"},
        {s.Left(0), ""},
        {s.Left(-2), ""},
        {s.Left(99), "key_button_7"},
        {s.Mid(11), "7"},
        {s.Mid(4, 6), "button"},
        {s.Mid(12), ""},
        {s.Mid(40), ""},
        {s.Mid(-3, 3), "key"},
        {s.Mid(4, 0), ""},
        {s.Mid(4, 99), "button_7"},
        {s.Right(1), "7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
    // The index after the last separator gives the number of a numbered control.
    EXPECT_EQ(s.Mid(s.ReverseFind('_') + 1).GetData().toInt(), 7);
}

}  // namespace
}  // namespace ravo
