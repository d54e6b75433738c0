#include "tests/app/toolkit/ToolkitFixture.h"

#include <QComboBox>

namespace ravo::test {
namespace {

class LanguageTest : public ToolkitTest {};

TEST_F(LanguageTest, SwitchChangesEveryResourceTextAndOnlyThose) {
    auto window = OpenControls();
    QWidget* label = window->FindControl("title_label");
    QWidget* button = window->FindControl("closebtn");
    QWidget* combo = window->FindControl("profile_combo");
    ui::RemoveAll(combo);
    ui::AddItem(combo, "item_one", true);
    ui::AddItem(combo, "Plain item");
    ui::SelectItem(combo, 0, false);
    ASSERT_EQ(ui::GetText(label), "Hello");
    EXPECT_EQ(ui::GetResourceKey(label), "greeting");
    EXPECT_EQ(ui::GetToolTip(button), "Save it");

    CResourceManager& resources = CResourceManager::Instance();
    resources.SetLanguage("b");
    ASSERT_TRUE(resources.LoadLanguage("lan_b.xml"));
    resources.ReloadText();
    EXPECT_EQ(ui::GetText(label), "你好");
    EXPECT_EQ(ui::GetToolTip(button), "保存");
    EXPECT_EQ(ui::GetText(button), "Close") << "not a resource text";
    EXPECT_EQ(qobject_cast<QComboBox*>(combo)->itemText(0), "一");
    EXPECT_EQ(qobject_cast<QComboBox*>(combo)->itemText(1), "Plain item");
    EXPECT_TRUE(window->received.empty()) << "a language switch is not a user selection";
    EXPECT_EQ(resources.GetLanguage(), "b");

    // A literal text ends the link to the key; "%[key]" makes a new one.
    ui::SetText(label, "Fixed");
    ui::SetText(button, "%[item_one]");
    ASSERT_TRUE(resources.LoadLanguage("lan_a.xml"));
    resources.ReloadText();
    EXPECT_EQ(ui::GetText(label), "Fixed");
    EXPECT_EQ(ui::GetText(button), "One");
}

TEST_F(LanguageTest, UnknownKeyShowsTheKeyAndBrokenFileKeepsTheTexts) {
    CResourceManager& resources = CResourceManager::Instance();
    EXPECT_EQ(resources.GetText("no_such_key"), "no_such_key");
    EXPECT_TRUE(resources.HasText("greeting"));
    QString error;
    EXPECT_FALSE(resources.LoadLanguage("lan_broken.xml", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(resources.LoadLanguage("lan_missing.xml", &error));
    EXPECT_FALSE(resources.LoadLanguage("", &error));
    EXPECT_EQ(resources.GetText("greeting"), "Hello");
}

}  // namespace
}  // namespace ravo::test
