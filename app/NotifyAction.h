#pragma once

namespace ravo {

// Everything a notification of the main window can lead to. The routing tables
// (NotifyRoutes.cpp) say which notification leads where; whoever implements an action binds a
// handler to it (NotifyRouter::Bind). An action nobody has bound yet does nothing.
enum class NotifyAction {
    None,  // a row that is matched on purpose and does nothing

    // Window
    WindowInit,
    WindowSize,
    HideToTray,
    HideMainWindow,
    ToggleLightControl,
    Minimize,
    Maximize,
    Restore,
    OpenSkinWindow,
    OpenSettingsBeside,
    OpenSettingsCentred,
    OpenAbout,
    OpenMusicWindow,
    OpenSystemSettings,  // number: 0 keyboard, 1 mouse
    OpenMacroActionMenu,
    InstallInputHook,
    RemoveInputHook,
    ExitProgram,

    // Device list
    DeviceSelectChanged,
    DeviceSelectPrev,
    DeviceSelectNext,
    ProfileComboSelected,

    // Device page and profiles
    KeyClicked,    // number: key
    FunctionPage,  // arg1: page 1..8
    RestoreDefaults,
    ProfileAdd,
    ProfileDelete,
    ProfileCopy,
    ProfileExport,
    ProfileImport,
    ProfileReset,
    ProfileRename,
    ProfileMenuToggle,

    // Keyboard settings
    ResetKeyRepeat,
    PollingRate,  // number
    RepeatDelay,  // number
    RepeatRate,
    WinKeyLock,
    WasdSwap,
    SixKeyRollover,

    // Key assignment
    ApplyKeyEdit,
    KeyDefault,
    KeyCancel,
    WriteKeyTable,
    KeyGroup,  // number
    KeyFunctionKindSelected,
    MacroRepeatKindSelected,

    // Macros
    MacroRecordStart,
    MacroRecordStop,
    MacroNew,
    MacroDelete,
    MacroRename,
    MacroSave,
    MacroCancel,
    MacroExport,
    MacroImport,
    MacroActionUp,
    MacroActionDown,
    MacroActionToTop,
    MacroActionToBottom,
    MacroActionDelete,
    MacroActionDeleteAll,
    MacroInsertMove,        // arg1: 1 left, 0 right
    MacroInsertMoveSecond,  // arg1: 1 up, 0 down
    MacroListSelected,
    MacroDelayBeforeRecorded,  // arg2: hook mask
    MacroDelayAfterRecorded,   // arg2: hook mask
    MacroRecordingMode,        // arg1: record mode, arg2: hook mask
    MacroInsertMouseButton,    // arg1: button 0 left..4 back, arg2: 0 down, 1 up, 2 click

    // Lighting
    LightColourPicked,
    MusicColourPicked,
    ColourSwatch,       // number
    MusicColourSwatch,  // number
    LightDirection,     // arg1: 0 left, 1 right
    LightMulticolour,
    LightBrightness,
    LightSpeed,
    LightModeSelected,
    LightSubModeSelected,
    CustomLightGroupSelected,
    CustomPaintAll,
    CustomPaintOff,
    SameModeAllDevices,
    LightColourEdited,  // arg1: 0 R, 1 G, 2 B
    MusicModeSelected,
    MusicMulticolour,
    MusicColourTarget,  // arg1: 0 background, 1 foreground
    MusicColourEdited,  // arg1: 0 R, 1 G, 2 B
    MusicBackgroundOff,
    AudioRgbSlider,  // arg1: 0 R, 1 G, 2 B

    // Mouse
    DpiColourPicker,       // number
    DpiStageEnable,        // number
    DpiStageSelect,        // number
    DpiSlider,             // number
    DpiSliderMoving,       // number
    DpiEdit,               // number
    VeldoDpiSliderMoving,  // number
    VeldoDpiEdit,          // number
    MouseSettingOption,    // number
    PointerPrecision,
    ScrollsPage,
    PointerSpeed,
    ScrollSpeed,
    DoubleClickSpeed,
    MouseLightsSelected,

    // Shooting panel
    ShootSave,
    ShootReset,
    ShootImport,
    ShootExport,
    BulletSelect,       // arg1: 0 previous, 1 next
    ShootGunOption,     // number
    BulletOption,       // number
    BulletAxis,         // arg1: 0 x, 1 y
    BulletValueEdited,  // arg1: 0 x, 1 y, 2 delay

    // Headset
    EqSave,
    EqDelete,
    EqOption,      // number
    EqBandSlider,  // number
    EqCustomSelected,
    MagicOption,  // number
    MagicEnable,
    MicIn,
    MicMonitor,
    MicInLevel,
    MicMonitorLevel,

    Count
};

}  // namespace ravo
