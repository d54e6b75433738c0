#include "tests/app/toolkit/ToolkitFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSlider>
#include <QTest>

namespace ravo::test {
namespace {

class NotifyTest : public ToolkitTest {};

TEST_F(NotifyTest, WindowInitArrivesOnceAfterInitWindowFromTheRoot) {
    RecordingWindow window("XML_CONTROLS");
    ASSERT_TRUE(window.Create(nullptr, "Controls", 0, 0, 600, 500));
    EXPECT_TRUE(window.received.empty()) << "windowinit comes from the event loop, not Create";
    ASSERT_TRUE(WaitFor([&] { return window.IsWindowInitDone(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(window.Count("windowinit", "root"), 1);
    EXPECT_EQ(window.received.size(), 1u);
}

// Each user action on a control of the layout raises its notification from that control.
TEST_F(NotifyTest, EveryControlKindRaisesItsNotificationWithItsName) {
    auto window = OpenControls();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto find = [&](const char* name) { return window->FindControl(name); };
    // Radio buttons and check boxes take clicks on their mark and text, at the left.
    auto clickMark = [&](const char* name) {
        QWidget* w = find(name);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    };

    struct Case {
        const char* what;
        std::function<void()> act;
        const char* type;
        const char* sender;
        long long wParam;  // -1: not checked
    };
    const Case cases[] = {
        {"button click", [&] { QTest::mouseClick(find("closebtn"), Qt::LeftButton); }, "click",
         "closebtn", -1},
        {"option select", [&] { clickMark("mode_option_1"); }, "selectchanged", "mode_option_1", 1},
        {"option of the group deselected", [&] { clickMark("mode_option_0"); }, "selectchanged",
         "mode_option_1", 0},
        {"check box", [&] { clickMark("lock_check"); }, "selectchanged", "lock_check", 1},
        {"combo choice",
         [&] { qobject_cast<QComboBox*>(find("profile_combo"))->setCurrentIndex(2); }, "itemselect",
         "profile_combo", 2},
        {"list choice", [&] { qobject_cast<QListWidget*>(find("macro_list"))->setCurrentRow(1); },
         "itemselect", "macro_list", 1},
        {"list activation",
         [&] {
             find("macro_list")->setFocus();
             QTest::keyClick(find("macro_list"), Qt::Key_Return);
         },
         "itemactivate", "macro_list", 1},
        {"slider drag",
         [&] {
             auto* slider = qobject_cast<QSlider*>(find("speed_slider"));
             slider->setSliderDown(true);
             slider->setSliderPosition(3);
         },
         "movevaluechanged", "speed_slider", 3},
        {"slider released",
         [&] { qobject_cast<QSlider*>(find("speed_slider"))->setSliderDown(false); },
         "valuechanged", "speed_slider", 3},
        {"slider by keyboard",
         [&] {
             find("speed_slider")->setFocus();
             QTest::keyClick(find("speed_slider"), Qt::Key_Right);
         },
         "valuechanged", "speed_slider", 4},
        {"edit gets focus", [&] { find("name_edit")->setFocus(); }, "setfocus", "name_edit", -1},
        {"typing", [&] { QTest::keyClicks(find("name_edit"), "ab"); }, "textchanged", "name_edit",
         -1},
        {"edit loses focus", [&] { find("delay_edit")->setFocus(); }, "killfocus", "name_edit", -1},
        {"own control colour", [&] { QTest::mouseClick(find("color_swatch"), Qt::LeftButton); },
         "colorchanged", "color_swatch", 0xFF102030},
        {"own control custom type",
         [&] { QTest::mouseDClick(find("color_swatch"), Qt::LeftButton); }, "dbclick",
         "color_swatch", -1},
        {"window timer", [&] { window->SetTimer(1011, 1); }, "timer", "RecordingWnd", 1011},
        {"control timer",
         [&] {
             window->KillTimer(1011);
             ui::SetTimer(find("closebtn"), 7, 1);
         },
         "timer", "closebtn", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->received.clear();
        c.act();
        ASSERT_TRUE(WaitFor([&] { return window->Last(c.type, c.sender) != nullptr; }, 2000))
            << "no " << c.type;
        const Received* last = window->Last(c.type, c.sender);
        ASSERT_NE(last, nullptr);
        if (c.wParam >= 0) {
            EXPECT_EQ(last->wParam, static_cast<quintptr>(c.wParam));
        }
        EXPECT_EQ(last->thread, window->thread());
    }
    ui::KillTimer(window->FindControl("closebtn"), 7);
}

TEST_F(NotifyTest, ProgrammaticChangesWithoutNotifyFlagStayQuiet) {
    auto window = OpenControls();
    QWidget* combo = window->FindControl("profile_combo");
    QWidget* list = window->FindControl("macro_list");
    QWidget* option = window->FindControl("mode_option_1");
    QWidget* slider = window->FindControl("speed_slider");

    EXPECT_TRUE(ui::SelectItem(combo, 1, false));
    EXPECT_TRUE(ui::SelectItem(list, 0, false));
    ui::SetSelected(option, true, false);
    ui::SetValue(slider, 2);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->received.empty());
    EXPECT_EQ(ui::GetCurSel(combo), 1);
    EXPECT_TRUE(ui::IsSelected(option));
    EXPECT_FALSE(ui::IsSelected(window->FindControl("mode_option_0")));

    EXPECT_TRUE(ui::SelectItem(combo, 2, true));
    ASSERT_EQ(window->Count("itemselect", "profile_combo"), 1);
    EXPECT_EQ(window->Last("itemselect")->wParam, 2u);
    EXPECT_EQ(window->Last("itemselect")->lParam, 1) << "previous selection";
    ui::SetSelected(window->FindControl("mode_option_0"), true, true);
    EXPECT_EQ(window->Count("selectchanged", "mode_option_0"), 1);
    EXPECT_EQ(window->Count("selectchanged", "mode_option_1"), 1);
}

TEST_F(NotifyTest, NotificationFromWorkerThreadArrivesOnUiThread) {
    auto window = OpenControls();
    QWidget* button = window->FindControl("closebtn");
    QThread* worker =
        QThread::create([button] { ui::SendNotify(button, "custom_from_worker", 5); });
    worker->start();
    ASSERT_TRUE(WaitFor([&] { return window->Last("custom_from_worker") != nullptr; }));
    EXPECT_EQ(window->Last("custom_from_worker")->thread, window->thread());
    EXPECT_EQ(window->Count("custom_from_worker", "closebtn"), 1);
    worker->wait(5000);
    delete worker;
}

TEST_F(NotifyTest, SubNotifiersHearAfterTheWindowAndCanLeave) {
    auto window = OpenControls();
    struct Listener : INotifyUI {
        std::vector<QString> types;
        void Notify(TNotifyUI& msg) override { types.push_back(msg.sType.GetData()); }
    } listener;
    std::vector<QString> order;
    window->onNotify = [&](TNotifyUI&) { order.push_back("window"); };
    window->AddNotifier(&listener);
    window->AddNotifier(&listener);  // once only
    ui::SendNotify(window->FindControl("closebtn"), "click");
    EXPECT_EQ(order.size(), 1u);
    EXPECT_EQ(listener.types, std::vector<QString>{"click"});
    window->RemoveNotifier(&listener);
    ui::SendNotify(window->FindControl("closebtn"), "click");
    EXPECT_EQ(listener.types.size(), 1u);
}

}  // namespace
}  // namespace ravo::test
