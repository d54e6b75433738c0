#include "app/NotifyRoutes.h"

namespace ravo {

namespace {

using A = NotifyAction;

NotifyRoute Name(std::string_view name, A action, int arg1 = 0, int arg2 = 0) {
    return {RouteMatch::Name, name, action, arg1, arg2, RouteFlow::Done};
}
NotifyRoute Exact(std::string_view name, A action, int arg1 = 0) {
    return {RouteMatch::ExactName, name, action, arg1, 0, RouteFlow::Done};
}
NotifyRoute Prefix(std::string_view prefix, A action) {
    return {RouteMatch::Prefix, prefix, action, 0, 0, RouteFlow::Done};
}
NotifyRoute Any(A action) {
    return {RouteMatch::AnySender, {}, action, 0, 0, RouteFlow::Done};
}
// The row ends the notification: no further row, table or toolkit default.
NotifyRoute EndHere(NotifyRoute route) {
    route.flow = RouteFlow::End;
    return route;
}
// After the row, the rest of the table is still tried.
NotifyRoute ThenRest(NotifyRoute route) {
    route.flow = RouteFlow::Continue;
    return route;
}

}  // namespace

std::vector<NotifyTable> MainNotifyRoutes() {
    return {
        {"windowinit", {Any(A::WindowInit)}},
        {"windowsize", {Name("root", A::WindowSize)}},
        {"colorchanged",
         {
             Name("deng_Color_Pallet", A::LightColourPicked),
             Name("deng_audioColor_Pallet", A::MusicColourPicked),
         }},
        {"click",
         {
             EndHere(Name("closebtn", A::HideToTray)),
             ThenRest(Name("nodevice_ok_btn", A::HideMainWindow)),
             ThenRest(Name("control_light_status", A::ToggleLightControl)),
             EndHere(Name("minbtn", A::Minimize)),
             EndHere(Name("maxbtn", A::Maximize)),
             EndHere(Name("restorebtn", A::Restore)),
             ThenRest(Name("skinbtn", A::OpenSkinWindow)),
             ThenRest(Name("setbtn", A::OpenSettingsBeside)),
             Prefix("key_", A::KeyClicked),
             Prefix("color_option_", A::ColourSwatch),
             Prefix("audiocolor_option_", A::MusicColourSwatch),
             Prefix("windowdeviceset_", A::OpenSystemSettings),
             Prefix("DPI_color_option_", A::DpiColourPicker),
             Name("default_btn", A::RestoreDefaults),
             Name("reset_repeat_btn", A::ResetKeyRepeat),
             Name("device_add_btn", A::ProfileAdd),
             Name("device_sub_btn", A::ProfileDelete),
             Name("device_copy_btn", A::ProfileCopy),
             Name("device_export_btn", A::ProfileExport),
             Name("device_import_btn", A::ProfileImport),
             Name("device_reset_btn", A::ProfileReset),
             Name("device_profile_edit_save_btn", A::ProfileRename),
             Name("key_butt_keysave", A::ApplyKeyEdit),
             Name("key_butt_keydefalut", A::KeyDefault),
             Name("key_butt_keycancel", A::KeyCancel),
             Name("key_butt_prosave", A::WriteKeyTable),
             Name("macro_btn_starredio", A::MacroRecordStart),
             Name("macro_btn_stopredio", A::MacroRecordStop),
             Name("macro_btn_name_add", A::MacroNew),
             Name("macro_btn_name_sub", A::MacroDelete),
             Name("macro_btn_name_edit", A::MacroRename),
             Name("macro_btn_save", A::MacroSave),
             Name("macro_btn_cancel", A::MacroCancel),
             Name("macro_btn_export", A::MacroExport),
             Name("macro_btn_import", A::MacroImport),
             Name("macro_btn_up", A::MacroActionUp),
             Name("macro_btn_down", A::MacroActionDown),
             Name("macro_btn_uptop", A::MacroActionToTop),
             Name("macro_btn_downbottom", A::MacroActionToBottom),
             Name("macro_btn_delete", A::MacroActionDelete),
             Name("macro_btn_deleteall", A::MacroActionDeleteAll),
             Name("shootdate_save_btn", A::ShootSave),
             Name("shootdate_reset_btn", A::ShootReset),
             Name("shootdate_import_btn", A::ShootImport),
             Name("shootdate_export_btn", A::ShootExport),
             Name("bullet_selected_prev", A::BulletSelect, 0),
             Name("bullet_selected_next", A::BulletSelect, 1),
             Name("custom_bright_color_btn", A::CustomPaintAll),
             Name("custom_off_color_btn", A::CustomPaintOff),
             Name("deng_same_mode", A::SameModeAllDevices),
             Name("hs_EQ_btn_save", A::EqSave),
             Name("hs_EQ_btn_delete", A::EqDelete),
             Exact("profile_fun_spread_btn", A::ProfileMenuToggle),
             Exact("macro_inset_moveleftkey_btn", A::MacroInsertMove, 1),
             Exact("macro_inset_moverightkey_btn", A::MacroInsertMove, 0),
             Exact("macro_inset_moveupkey_btn", A::MacroInsertMoveSecond, 1),
             Exact("macro_inset_movedownkey_btn", A::MacroInsertMoveSecond, 0),
             Name("device_select_prev", A::DeviceSelectPrev),
             Name("device_select_next", A::DeviceSelectNext),
             Name("Close_bkColor_btn", A::MusicBackgroundOff),
             Name("music_setting_btn", A::OpenMusicWindow),
         }},
        {"selectchanged",
         {
             Prefix("DPI_enable_check_", A::DpiStageEnable),
             Prefix("DPI_select_check_", A::DpiStageSelect),
             Prefix("polling_rate_option_", A::PollingRate),
             Prefix("repeat_delay_check_", A::RepeatDelay),
             Prefix("mouse_device_seting_option_", A::MouseSettingOption),
             Prefix("shoot_gun_op_", A::ShootGunOption),
             Prefix("bullet_op_", A::BulletOption),
             Prefix("magic_option_", A::MagicOption),
             Prefix("6533_eq_option_", A::EqOption),
             Prefix("key_ComBox_check_", A::KeyGroup),
             Name("pointer_precision_check", A::PointerPrecision),
             Name("scrolls_page_check", A::ScrollsPage),
             Name("winlockflag_option", A::WinKeyLock),
             Name("wflag_option", A::WasdSwap),
             Name("6flag_option", A::SixKeyRollover),
             Name("device_select", A::DeviceSelectChanged),
             Name("deng_Op_tab", A::FunctionPage, 1),
             Name("key_Op_tab", A::FunctionPage, 2),
             Name("macro_Op_tab", A::FunctionPage, 3),
             Name("system_Op_tab", A::FunctionPage, 4),
             Name("cursor_Op_tab", A::FunctionPage, 5),
             Name("6533_voice_Op_tab", A::FunctionPage, 6),
             Name("magic_Op_tab", A::FunctionPage, 7),
             Name("Virtual7.1_Op_tab", A::FunctionPage, 8),
             Name("deng_FXL_check", A::LightDirection, 0),
             Name("deng_FXR_check", A::LightDirection, 1),
             Name("deng_7color_check", A::LightMulticolour),
             Name("bullet_x_check", A::BulletAxis, 0),
             Name("bullet_y_check", A::BulletAxis, 1),
             Name("magic_enable_option", A::MagicEnable),
             Name("6533_MicIn_option", A::MicIn),
             Name("6533_MicMoniter_option", A::MicMonitor),
             Name("deng_7audiocolor_check", A::MusicMulticolour),
             Name("audio_BkColor_check", A::MusicColourTarget, 0),
             Name("audio_FgColor_check", A::MusicColourTarget, 1),
         }},
        {"valuechanged",
         {
             Prefix("DPI_slider_", A::DpiSlider),
             Prefix("6533_eq_hz_slider_", A::EqBandSlider),
             Name("pointer_speed_slider", A::PointerSpeed),
             Name("scroll_speed_slider", A::ScrollSpeed),
             Name("double_click_slider", A::DoubleClickSpeed),
             Name("repeat_rate_slider", A::RepeatRate),
             Name("deng_light_slider", A::LightBrightness),
             Name("deng_speed_slider", A::LightSpeed),
             Name("6533_MicIn_slider", A::MicInLevel),
             Name("6533_MicMoniter_slider", A::MicMonitorLevel),
             Name("R_light_slider", A::AudioRgbSlider, 0),
             Name("G_light_slider", A::AudioRgbSlider, 1),
             Name("B_light_slider", A::AudioRgbSlider, 2),
         }},
        {"movevaluechanged",
         {
             Prefix("veldo_DPI_slider_", A::VeldoDpiSliderMoving),
             Prefix("DPI_slider_", A::DpiSliderMoving),
         }},
        {"itemselect",
         {
             Name("device_profile_combo", A::ProfileComboSelected),
             Name("light_combo_modeSelect", A::LightModeSelected),
             Name("light_combo_custommodeSelect", A::CustomLightGroupSelected),
             Name("keyset_function_combo", A::KeyFunctionKindSelected),
             Name("keyset_macro_over_combo", A::MacroRepeatKindSelected),
             Name("macro_name_list", A::MacroListSelected),
             Name("custom_eq_name_combo", A::EqCustomSelected),
             Name("light_combo_ZZCCmodeSelect", A::LightSubModeSelected),
             Name("light_combo_audiomodeSelect", A::MusicModeSelected),
         }},
        // A choice in any of the key panel's lists also applies the key being edited.
        {"itemselect",
         {
             Name("keyset_function_combo", A::ApplyKeyEdit),
             Name("keyset_mousekey_combo", A::ApplyKeyEdit),
             Name("keyset_mouseswing_combo", A::ApplyKeyEdit),
             Name("keyset_mousewheel_combo", A::ApplyKeyEdit),
             Name("keyset_mousedpi_combo", A::ApplyKeyEdit),
             Name("keyset_media_combo", A::ApplyKeyEdit),
             Name("keyset_system_combo", A::ApplyKeyEdit),
             Name("keyset_macro_combo", A::ApplyKeyEdit),
             Name("keyset_macro_over_combo", A::ApplyKeyEdit),
             Name("keyset_gunkey_combo", A::ApplyKeyEdit),
             Name("keyset_combokey_combo", A::ApplyKeyEdit),
         }},
        {"killfocus",
         {
             Prefix("veldo_DPI_edit_", A::VeldoDpiEdit),
             Prefix("DPI_edit_", A::DpiEdit),
             Name("deng_edit_R", A::LightColourEdited, 0),
             Name("deng_edit_G", A::LightColourEdited, 1),
             Name("deng_edit_B", A::LightColourEdited, 2),
             Name("deng_audioedit_R", A::MusicColourEdited, 0),
             Name("deng_audioedit_G", A::MusicColourEdited, 1),
             Name("deng_audioedit_B", A::MusicColourEdited, 2),
             Name("keyset_keyboard_text_edit", A::RemoveInputHook),
             Name("bullet_x_eidt", A::BulletValueEdited, 0),
             Name("bullet_y_eidt", A::BulletValueEdited, 1),
             Name("bullet_delay_eidt", A::BulletValueEdited, 2),
             Name("macro_delay", A::MacroSave),
             Name("keyset_mouseswing_num_edit", A::ApplyKeyEdit),
             Name("keyset_mouseswing_delay_edit", A::ApplyKeyEdit),
             Name("keyset_mouseswing_speed_edit", A::ApplyKeyEdit),
             Name("keyset_mousewheel_num_edit", A::ApplyKeyEdit),
             Name("keyset_mousewheel_delay_edit", A::ApplyKeyEdit),
             Name("keyset_mousewheel_speed_edit", A::ApplyKeyEdit),
             Name("keyset_mousefire_interval_edit", A::ApplyKeyEdit),
             Name("keyset_mousefire_num_edit", A::ApplyKeyEdit),
             Name("keyset_macro_cycle_edit", A::ApplyKeyEdit),
         }},
        {"click_select_end",
         {
             Name("mouse_device_key_light", A::MouseLightsSelected),
             Name("device_key_light", A::None),
         }},
        {"click_wpremove", {EndHere(Any(A::None))}},
        {"click_wpedit", {EndHere(Any(A::None))}},
        // The toolkit's default handling: its message map.
        {"itemactivate", {Name("macro_action", A::OpenMacroActionMenu)}},
        {"setfocus", {Name("keyset_keyboard_text_edit", A::InstallInputHook)}},
        {kMenuCommandType,
         {
             Name("exit", A::ExitProgram),
             Name("redio_previous_record_time", A::MacroDelayBeforeRecorded, 0, 8),
             Name("redio_previous_constant_time", A::MacroRecordingMode, 2, 8),
             Name("redio_previous_ignore_time", A::MacroRecordingMode, 3, 8),
             Name("redio_later_record_time", A::MacroDelayAfterRecorded, 0, 16),
             Name("redio_later_constant_time", A::MacroRecordingMode, 2, 16),
             Name("redio_later_ignore_time", A::MacroRecordingMode, 3, 16),
             Name("macro_action_edit", A::MacroRecordingMode, 3, 32),
             Name("left_down", A::MacroInsertMouseButton, 0, 0),
             Name("left_up", A::MacroInsertMouseButton, 0, 1),
             Name("left_click", A::MacroInsertMouseButton, 0, 2),
             Name("middle_down", A::MacroInsertMouseButton, 1, 0),
             Name("middle_up", A::MacroInsertMouseButton, 1, 1),
             Name("middle_click", A::MacroInsertMouseButton, 1, 2),
             Name("right_down", A::MacroInsertMouseButton, 2, 0),
             Name("right_up", A::MacroInsertMouseButton, 2, 1),
             Name("right_click", A::MacroInsertMouseButton, 2, 2),
             Name("forward_down", A::MacroInsertMouseButton, 3, 0),
             Name("forward_up", A::MacroInsertMouseButton, 3, 1),
             Name("forward_click", A::MacroInsertMouseButton, 3, 2),
             Name("back_down", A::MacroInsertMouseButton, 4, 0),
             Name("back_up", A::MacroInsertMouseButton, 4, 1),
             Name("back_click", A::MacroInsertMouseButton, 4, 2),
             Name("about_menu", A::OpenAbout),
             Name("setwnd_menu", A::OpenSettingsCentred),
         }},
    };
}

}  // namespace ravo
