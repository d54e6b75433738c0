#include "app/NotifyRouter.h"
#include "app/NotifyRoutes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace ravo {
namespace {

// Records every handler call as (action, number, arg1, arg2).
struct Recorder {
    std::vector<std::tuple<NotifyAction, int, int, int>> calls;
    void BindAll(NotifyRouter& router) {
        for (int a = 0; a < static_cast<int>(NotifyAction::Count); ++a) {
            const auto action = static_cast<NotifyAction>(a);
            router.Bind(action, [this, action](const RoutedNotify& n) {
                calls.emplace_back(action, n.number, n.arg1, n.arg2);
            });
        }
    }
};

TEST(NotifyRouter, FlowsAndTablesOfOneType) {
    NotifyRouter router({
        {"click",
         {
             {RouteMatch::Name, "first", NotifyAction::HideMainWindow, 0, 0, RouteFlow::Continue},
             {RouteMatch::Name, "first", NotifyAction::Minimize, 0, 0, RouteFlow::Done},
             {RouteMatch::Name, "first", NotifyAction::Maximize, 0, 0, RouteFlow::Done},
             {RouteMatch::Name, "stop", NotifyAction::Restore, 0, 0, RouteFlow::End},
         }},
        {"click", {{RouteMatch::AnySender, {}, NotifyAction::OpenAbout, 0, 0, RouteFlow::Done}}},
    });
    Recorder rec;
    rec.BindAll(router);

    auto r = router.Route("click", "FIRST");
    EXPECT_TRUE(r.matched);
    EXPECT_TRUE(r.runDefault);
    ASSERT_EQ(rec.calls.size(), 3u);  // continue, done, then the second table
    EXPECT_EQ(std::get<0>(rec.calls[0]), NotifyAction::HideMainWindow);
    EXPECT_EQ(std::get<0>(rec.calls[1]), NotifyAction::Minimize);
    EXPECT_EQ(std::get<0>(rec.calls[2]), NotifyAction::OpenAbout);

    rec.calls.clear();
    r = router.Route("click", "stop");
    EXPECT_FALSE(r.runDefault);
    ASSERT_EQ(rec.calls.size(), 1u);
    EXPECT_EQ(std::get<0>(rec.calls[0]), NotifyAction::Restore);

    rec.calls.clear();
    r = router.Route("Click", "first");  // types compare exactly
    EXPECT_FALSE(r.matched);
    EXPECT_TRUE(r.runDefault);
    EXPECT_TRUE(rec.calls.empty());
}

TEST(NotifyRouter, UnboundActionChangesNothing) {
    NotifyRouter router(MainNotifyRoutes());
    const auto r = router.Route("click", "closebtn");
    EXPECT_TRUE(r.matched);
    EXPECT_FALSE(r.runDefault);
}

struct MainCase {
    const char* type;
    const char* sender;
    std::vector<std::tuple<NotifyAction, int, int, int>> calls;
    bool runDefault = true;
};

TEST(MainNotifyRoutes, RoutesByTypeAndName) {
    using A = NotifyAction;
    const MainCase cases[] = {
        {"windowinit", "anything", {{A::WindowInit, -1, 0, 0}}},
        {"windowsize", "root", {{A::WindowSize, -1, 0, 0}}},
        {"windowsize", "other", {}},
        {"click", "closebtn", {{A::HideToTray, -1, 0, 0}}, false},
        {"click", "CloseBtn", {{A::HideToTray, -1, 0, 0}}, false},
        {"click", "minbtn", {{A::Minimize, -1, 0, 0}}, false},
        {"click", "nodevice_ok_btn", {{A::HideMainWindow, -1, 0, 0}}},
        {"click", "setbtn", {{A::OpenSettingsBeside, -1, 0, 0}}},
        {"click", "key_17", {{A::KeyClicked, 17, 0, 0}}},
        {"click", "KEY_3", {{A::KeyClicked, 3, 0, 0}}},
        {"click", "key17", {}},
        {"click", "key_butt_keysave", {{A::ApplyKeyEdit, -1, 0, 0}}},
        {"click", "color_option_4", {{A::ColourSwatch, 4, 0, 0}}},
        {"click", "DPI_color_option_2", {{A::DpiColourPicker, 2, 0, 0}}},
        {"click", "windowdeviceset_1", {{A::OpenSystemSettings, 1, 0, 0}}},
        {"click", "bullet_selected_next", {{A::BulletSelect, -1, 1, 0}}},
        {"click", "profile_fun_spread_btn", {{A::ProfileMenuToggle, -1, 0, 0}}},
        {"click", "Profile_fun_spread_btn", {}},
        {"click", "macro_inset_moveleftkey_btn", {{A::MacroInsertMove, -1, 1, 0}}},
        {"click", "MACRO_INSET_MOVELEFTKEY_BTN", {}},
        {"click", "device_select_next", {{A::DeviceSelectNext, -1, 0, 0}}},
        {"click", "unknown_button", {}},
        {"selectchanged", "device_select", {{A::DeviceSelectChanged, -1, 0, 0}}},
        {"selectchanged", "system_Op_tab", {{A::FunctionPage, -1, 4, 0}}},
        {"selectchanged", "Virtual7.1_Op_tab", {{A::FunctionPage, -1, 8, 0}}},
        {"selectchanged", "repeat_delay_check_7", {{A::RepeatDelay, 7, 0, 0}}},
        {"selectchanged", "wflag_option", {{A::WasdSwap, -1, 0, 0}}},
        {"valuechanged", "DPI_slider_3", {{A::DpiSlider, 3, 0, 0}}},
        {"valuechanged", "G_light_slider", {{A::AudioRgbSlider, -1, 1, 0}}},
        {"movevaluechanged", "veldo_DPI_slider_2", {{A::VeldoDpiSliderMoving, 2, 0, 0}}},
        {"movevaluechanged", "DPI_slider_2", {{A::DpiSliderMoving, 2, 0, 0}}},
        {"itemselect", "device_profile_combo", {{A::ProfileComboSelected, -1, 0, 0}}},
        {"itemselect",
         "keyset_function_combo",
         {{A::KeyFunctionKindSelected, -1, 0, 0}, {A::ApplyKeyEdit, -1, 0, 0}}},
        {"itemselect", "keyset_media_combo", {{A::ApplyKeyEdit, -1, 0, 0}}},
        {"killfocus", "keyset_keyboard_text_edit", {{A::RemoveInputHook, -1, 0, 0}}},
        {"killfocus", "deng_edit_B", {{A::LightColourEdited, -1, 2, 0}}},
        {"killfocus", "DPI_edit_1", {{A::DpiEdit, 1, 0, 0}}},
        {"setfocus", "keyset_keyboard_text_edit", {{A::InstallInputHook, -1, 0, 0}}},
        {"itemactivate", "macro_action", {{A::OpenMacroActionMenu, -1, 0, 0}}},
        {"click_select_end", "mouse_device_key_light", {{A::MouseLightsSelected, -1, 0, 0}}},
        {"click_select_end", "device_key_light", {{A::None, -1, 0, 0}}},
        {"click_wpremove", "x", {{A::None, -1, 0, 0}}, false},
        {"click_wpedit", "x", {{A::None, -1, 0, 0}}, false},
        {"textchanged", "key_1", {}},
        {"timer", "closebtn", {}},
        {"menucommand", "exit", {{A::ExitProgram, -1, 0, 0}}},
        {"menucommand", "redio_later_ignore_time", {{A::MacroRecordingMode, -1, 3, 16}}},
        {"menucommand", "redio_previous_record_time", {{A::MacroDelayBeforeRecorded, -1, 0, 8}}},
        {"menucommand", "back_click", {{A::MacroInsertMouseButton, -1, 4, 2}}},
        {"menucommand", "setwnd_menu", {{A::OpenSettingsCentred, -1, 0, 0}}},
    };
    for (const MainCase& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " / " + c.sender);
        NotifyRouter router(MainNotifyRoutes());
        Recorder rec;
        rec.BindAll(router);
        const auto r = router.Route(QString::fromLatin1(c.type), QString::fromLatin1(c.sender));
        EXPECT_EQ(rec.calls, c.calls);
        EXPECT_EQ(r.runDefault, c.runDefault);
    }
}

}  // namespace
}  // namespace ravo
