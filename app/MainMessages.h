#pragma once

namespace ravo {

// The main window's private messages (HandleCustomMessage numbers).
inline constexpr unsigned kUmTrayNotify = 1025;
inline constexpr unsigned kUmInputHook = 1054;
inline constexpr unsigned kUmMenuClick = 1145;
inline constexpr unsigned kUmShowSettingProgress = 3072;
inline constexpr unsigned kUmLanguageChanged = 3089;
inline constexpr unsigned kUmDeviceArrived = 3090;
inline constexpr unsigned kUmDeviceRemoved = 3091;
inline constexpr unsigned kUmOpenSettings = 3093;
inline constexpr unsigned kUmClearSettingsBadge = 3094;
inline constexpr unsigned kUmLinkMode = 3331;

// Suspend and resume, as the system's power broadcast: wParam 4 suspend, 18 resume.
inline constexpr unsigned kWmPowerBroadcast = 0x0218;
inline constexpr unsigned kPowerSuspend = 4;
inline constexpr unsigned kPowerResumeAutomatic = 18;

// Main window timers.
inline constexpr int kTimerDpiLayout = 1011;
inline constexpr int kTimerTrayMenu = 1032;
inline constexpr int kTimerProfileSwitch = 1055;
inline constexpr int kTimerGameRestore = 1066;

}  // namespace ravo
