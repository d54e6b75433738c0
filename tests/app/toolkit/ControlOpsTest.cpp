#include "tests/app/toolkit/ToolkitFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTest>

namespace ravo::test {
namespace {

class ControlOpsTest : public ToolkitTest {};

TEST_F(ControlOpsTest, FindByNameInWindowAndBelowContainerNullWhenAbsent) {
    auto window = OpenControls();
    QWidget* container = window->FindControl("item_container");
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(window->FindControl("root"), window->GetRoot());
    EXPECT_EQ(ui::FindControl(container, "item_1")->objectName(), "item_1");
    EXPECT_EQ(ui::FindControl(container, "item_container"), container);
    EXPECT_EQ(ui::FindControl(container, "closebtn"), nullptr) << "not below the container";
    EXPECT_EQ(window->FindControl("no_such_control"), nullptr);
    EXPECT_EQ(window->FindControl(""), nullptr);
    EXPECT_EQ(ui::FindControl(nullptr, "closebtn"), nullptr);
    EXPECT_NE(ui::FindControlAs<QSlider>(window->GetRoot(), "speed_slider"), nullptr);
    EXPECT_EQ(ui::FindControlAs<QSlider>(window->GetRoot(), "closebtn"), nullptr);
}

TEST_F(ControlOpsTest, ClassesComeFromCallbackThenFactoryUnknownOnesAreSkipped) {
    CControlFactory::Instance().RegisterControl<QLabel>("FactoryLabel");
    const QByteArray layout = R"(<ui version="4.0"><widget class="QWidget" name="root">
        <widget class="factorylabel" name="from_factory"/>
        <widget class="ColorSwatch" name="from_callback"/>
        <widget class="Mystery" name="unknown"><widget class="QLabel" name="inside_unknown"/></widget>
        </widget></ui>)";
    int callbackCalls = 0;
    QWidget* root = CLayoutLoader::LoadFromData(
        layout, nullptr, [&](const CDuiString& cls, QWidget* parent) -> QWidget* {
            ++callbackCalls;
            if (cls == "ColorSwatch") {
                auto* swatch = new ColorSwatch;
                swatch->setParent(parent);
                return swatch;
            }
            return nullptr;
        });
    ASSERT_NE(root, nullptr);
    EXPECT_NE(ui::FindControlAs<QLabel>(root, "from_factory"), nullptr);
    auto* swatch = ui::FindControlAs<ColorSwatch>(root, "from_callback");
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->GetClass(), "ColorSwatch");
    EXPECT_EQ(ui::FindControl(root, "unknown"), nullptr);
    EXPECT_EQ(ui::FindControl(root, "inside_unknown"), nullptr);
    EXPECT_GE(callbackCalls, 3);
    delete root;
    CControlFactory::Instance().Clear();
}

TEST_F(ControlOpsTest, BrokenOrMissingLayoutFailsWithAReason) {
    QString error;
    EXPECT_EQ(CLayoutLoader::Load("XML_NOT_THERE", nullptr, {}, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    error.clear();
    EXPECT_EQ(CLayoutLoader::LoadFromData("<ui><widget class=", nullptr, {}, &error), nullptr);
    EXPECT_FALSE(error.isEmpty());
    RecordingWindow window("XML_NOT_THERE");
    EXPECT_FALSE(window.Create(nullptr, "x", 0, 0, 10, 10, &error));
}

TEST_F(ControlOpsTest, TextTooltipUserDataTagVisibilityAndEnabling) {
    auto window = OpenControls();
    QWidget* button = window->FindControl("closebtn");
    QWidget* edit = window->FindControl("name_edit");
    QWidget* label = window->FindControl("title_label");

    ui::SetText(button, "Done");
    EXPECT_EQ(ui::GetText(button), "Done");
    ui::SetText(edit, "typed");
    EXPECT_EQ(qobject_cast<QLineEdit*>(edit)->text(), "typed");
    EXPECT_EQ(ui::GetText(label), "Hello") << "resource text from the layout";
    EXPECT_EQ(ui::GetToolTip(button), "Save it");
    EXPECT_EQ(ui::GetUserData(button), "close-data") << "layout attribute";
    ui::SetUserData(button, "other");
    EXPECT_EQ(ui::GetUserData(button), "other");
    ui::SetTag(button, 0xDEADBEEF);
    EXPECT_EQ(ui::GetTag(button), 0xDEADBEEFu);

    ui::SetVisible(button, false);
    EXPECT_FALSE(ui::IsVisible(button));
    window->hide();
    ui::SetVisible(button, true);
    EXPECT_TRUE(ui::IsVisible(button)) << "the control's own flag, window hidden or not";
    ui::SetEnabled(button, false);
    EXPECT_FALSE(ui::IsEnabled(button));
    ui::SetMouseEnabled(label, false);
    EXPECT_FALSE(ui::IsMouseEnabled(label));
    EXPECT_TRUE(label->testAttribute(Qt::WA_TransparentForMouseEvents));

    // Null is tolerated everywhere.
    ui::SetText(nullptr, "x");
    EXPECT_EQ(ui::GetText(nullptr), "");
    EXPECT_FALSE(ui::IsVisible(nullptr));
    EXPECT_EQ(ui::GetCount(nullptr), 0);
}

TEST_F(ControlOpsTest, BackgroundColourImageAndAttributesByName) {
    auto window = OpenControls();
    QWidget* container = window->FindControl("item_container");
    ui::SetBkColor(container, 0xFF112233);
    EXPECT_EQ(ui::GetBkColor(container), 0xFF112233u);
    container->resize(40, 40);
    const QImage shot = container->grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 2), QColor(0x11, 0x22, 0x33));
    ui::SetBkImage(container, "file='images/dot.png'");
    EXPECT_EQ(ui::GetBkImage(container), "file='images/dot.png'");
    EXPECT_TRUE(container->styleSheet().contains("images/dot.png"));
    ui::SetBkImage(container, "");
    ui::SetBkColor(container, 0);
    EXPECT_FALSE(container->styleSheet().contains("background"));

    QWidget* button = window->FindControl("closebtn");
    ui::SetAttribute(button, "text", "Via attribute");
    EXPECT_EQ(ui::GetText(button), "Via attribute");
    ui::SetAttribute(button, "visible", "false");
    EXPECT_FALSE(ui::IsVisible(button));
    ui::SetAttribute(button, "bkcolor", "#FF0000");
    EXPECT_EQ(ui::GetBkColor(button), 0xFFFF0000u);
    ui::SetAttribute(button, "custom_flag", "42");
    EXPECT_EQ(ui::GetAttribute(button, "custom_flag"), "42");
    EXPECT_EQ(ui::GetAttribute(button, "name"), "closebtn");

    auto* swatch = ui::FindControlAs<ColorSwatch>(window->GetRoot(), "color_swatch");
    ASSERT_NE(swatch, nullptr);
    EXPECT_EQ(swatch->tint, 0xFF102030u) << "own attribute from the layout";
    ui::SetAttribute(swatch, "tint", "#FF00FF00");
    EXPECT_EQ(swatch->tint, 0xFF00FF00u);
    ui::SetAttribute(swatch, "text", "own text");  // not the control's: the generic handling
    EXPECT_EQ(ui::GetText(swatch), "own text");

    quint32 argb = 0;
    struct ColorCase {
        const char* text;
        bool ok;
        quint32 value;
    };
    for (const ColorCase& c :
         {ColorCase{"#80FF0000", true, 0x80FF0000u}, ColorCase{"0xFF00FF00", true, 0xFF00FF00u},
          ColorCase{"#123456", true, 0xFF123456u}, ColorCase{"#12345", false, 0},
          ColorCase{"#GG0000", false, 0}, ColorCase{"", false, 0}}) {
        argb = 0;
        EXPECT_EQ(ui::ParseColor(c.text, &argb), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(argb, c.value) << c.text;
        }
    }
}

TEST_F(ControlOpsTest, EditLimitsKeepLengthDigitsAndRange) {
    auto window = OpenControls();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* delay = qobject_cast<QLineEdit*>(window->FindControl("delay_edit"));
    ASSERT_NE(delay, nullptr);
    EXPECT_EQ(ui::GetMaxChar(delay), 5) << "from the layout";
    EXPECT_TRUE(ui::IsNumberOnly(delay));
    delay->setFocus();
    QTest::keyClicks(delay, "12a34567");
    EXPECT_EQ(delay->text(), "12345");

    ui::SetEditRange(delay, 0, 65535);
    delay->clear();
    QTest::keyClicks(delay, "99999");
    QTest::keyClick(delay, Qt::Key_Return);
    EXPECT_EQ(delay->text(), "65535");
    ui::SetEditRange(delay, 10, 500);
    delay->clear();
    QTest::keyClicks(delay, "5");
    window->FindControl("name_edit")->setFocus();  // leaving the box ends the edit too
    EXPECT_EQ(delay->text(), "10");
    ui::SetNumberOnly(delay, false);
    ui::SetMaxChar(delay, 20);
    delay->clear();
    QTest::keyClicks(delay, "ab12");
    EXPECT_EQ(delay->text(), "ab12");
}

TEST_F(ControlOpsTest, OptionsOfOneGroupExcludeEachOther) {
    auto window = OpenControls();
    QWidget* option0 = window->FindControl("mode_option_0");
    QWidget* option1 = window->FindControl("mode_option_1");
    EXPECT_EQ(ui::GetGroup(option0), "mode");
    EXPECT_TRUE(ui::IsSelected(option0)) << "selected in the layout";
    ui::SetSelected(option1, true);
    EXPECT_TRUE(ui::IsSelected(option1));
    EXPECT_FALSE(ui::IsSelected(option0));
    ui::SetSelected(option1, false);
    EXPECT_FALSE(ui::IsSelected(option1)) << "a group option can be cleared in code";

    // An option added later joins the window's group of its name.
    auto* option2 = new QPushButton("Mode 2");
    option2->setObjectName("mode_option_2");
    ui::SetGroup(option2, "mode");
    ASSERT_TRUE(ui::Add(window->FindControl("item_container"), option2));
    ui::SetSelected(option0, true);
    ui::SetSelected(option2, true);
    EXPECT_FALSE(ui::IsSelected(option0));
    EXPECT_TRUE(ui::IsSelected(option2));
}

TEST_F(ControlOpsTest, ComboListSliderProgressAndTabs) {
    auto window = OpenControls();
    QWidget* combo = window->FindControl("profile_combo");
    QWidget* list = window->FindControl("macro_list");
    EXPECT_EQ(ui::GetCount(combo), 3);
    EXPECT_FALSE(ui::SelectItem(combo, 3));
    EXPECT_FALSE(ui::SelectItem(combo, -2));
    EXPECT_TRUE(ui::SelectItem(combo, -1));
    EXPECT_EQ(ui::GetCurSel(combo), -1);
    EXPECT_EQ(ui::AddItem(list, "Macro C"), 2);
    EXPECT_EQ(ui::GetCount(list), 3);
    ui::RemoveAll(combo);
    EXPECT_EQ(ui::GetCount(combo), 0);

    QWidget* slider = window->FindControl("speed_slider");
    ui::SetRange(slider, 1, 10);
    ui::SetValue(slider, 7);
    EXPECT_EQ(ui::GetValue(slider), 7);
    EXPECT_EQ(ui::GetMinValue(slider), 1);
    EXPECT_EQ(ui::GetMaxValue(slider), 10);
    ui::SetRange(slider, 5, 2);  // refused
    EXPECT_EQ(ui::GetMaxValue(slider), 10);

    QWidget* progress = window->FindControl("update_progress");
    EXPECT_EQ(ui::GetValue(progress), 10);
    ui::SetValue(progress, 150);
    EXPECT_EQ(ui::GetValue(progress), 100) << "clamped to the range";
    ui::SetRange(progress, 0, 500);
    ui::SetValue(progress, 150);
    EXPECT_EQ(ui::GetValue(progress), 150);

    QWidget* tabs = window->FindControl("page_tab");
    EXPECT_TRUE(ui::SelectTab(tabs, 1));
    EXPECT_EQ(ui::GetCurTab(tabs), 1);
    EXPECT_FALSE(ui::SelectTab(tabs, 2));
    EXPECT_EQ(ui::GetCurTab(tabs), 1);
    EXPECT_EQ(window->Count("tabselect", "page_tab"), 1);
}

TEST_F(ControlOpsTest, ContainerAddRemoveAndRemoveAll) {
    auto window = OpenControls();
    QWidget* container = window->FindControl("item_container");
    ASSERT_EQ(ui::GetCount(container), 2);
    auto* first = new QPushButton;
    first->setObjectName("item_new");
    ASSERT_TRUE(ui::AddAt(container, first, 0));
    EXPECT_EQ(ui::GetItemAt(container, 0), first);
    EXPECT_EQ(ui::GetItemIndex(container, window->FindControl("item_1")), 2);
    EXPECT_EQ(window->FindControl("item_new"), first);

    // Added controls raise notifications like the layout's own.
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(window->Count("click", "item_new"), 1);

    QPointer<QWidget> removed(window->FindControl("item_0"));
    EXPECT_TRUE(ui::Remove(container, removed));
    EXPECT_EQ(ui::GetCount(container), 2);
    EXPECT_EQ(window->FindControl("item_0"), nullptr);
    EXPECT_FALSE(ui::Remove(container, window->FindControl("closebtn"))) << "not a child";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(removed.isNull()) << "deleted";

    auto* kept = window->FindControl("item_1");
    EXPECT_TRUE(ui::Remove(container, kept, false));
    EXPECT_EQ(kept->parent(), nullptr);
    delete kept;

    ui::RemoveAll(container);
    EXPECT_EQ(ui::GetCount(container), 0);

    // A container without a layout gets one; stacked pages take pages.
    QWidget* page0 = window->FindControl("page_0");
    EXPECT_TRUE(ui::Add(page0, new QLabel("inside")));
    EXPECT_EQ(ui::GetCount(page0), 1);
    QWidget* tabs = window->FindControl("page_tab");
    EXPECT_TRUE(ui::Add(tabs, new QWidget));
    EXPECT_EQ(ui::GetCount(tabs), 3);
    ui::Invalidate(container);
    ui::NeedUpdate(window->GetRoot());
}

TEST_F(ControlOpsTest, ModalWindowReturnsTheValueGivenToClose) {
    RecordingWindow dialog("XML_CONTROLS");
    ASSERT_TRUE(dialog.Create(nullptr, "Modal", 0, 0, 300, 200));
    dialog.onNotify = [&](TNotifyUI& msg) {
        if (msg.Is(notify::kWindowInit))
            QTest::mouseClick(dialog.FindControl("closebtn"), Qt::LeftButton);
        else if (msg.Is(notify::kClick) && msg.SenderName() == "closebtn")
            dialog.Close(7);
    };
    dialog.CenterWindow();
    EXPECT_EQ(dialog.ShowModal(), 7);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ControlOpsTest, EscapeDoesNotCloseAWindow) {
    auto window = OpenControls();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}

}  // namespace
}  // namespace ravo::test
