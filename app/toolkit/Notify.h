#pragma once

#include "app/toolkit/DuiString.h"

#include <QWidget>

namespace ravo {

// Notification type strings the windows route on.
namespace notify {
inline constexpr const char* kClick = "click";
inline constexpr const char* kSelectChanged = "selectchanged";
inline constexpr const char* kItemSelect = "itemselect";
inline constexpr const char* kValueChanged = "valuechanged";
inline constexpr const char* kMoveValueChanged = "movevaluechanged";
inline constexpr const char* kKillFocus = "killfocus";
inline constexpr const char* kSetFocus = "setfocus";
inline constexpr const char* kTextChanged = "textchanged";
inline constexpr const char* kItemActivate = "itemactivate";
inline constexpr const char* kWindowInit = "windowinit";
inline constexpr const char* kTimer = "timer";
inline constexpr const char* kColorChanged = "colorchanged";
inline constexpr const char* kReturn = "return";
inline constexpr const char* kTabSelect = "tabselect";
}  // namespace notify

// One user event: its type, the control it came from and two event-specific values (the
// timer id for "timer", the item index for "itemselect", ...).
struct TNotifyUI {
    CDuiString sType;
    QWidget* pSender = nullptr;
    quintptr wParam = 0;
    qintptr lParam = 0;

    // The sender's name ("" when the sender is gone or unnamed).
    CDuiString SenderName() const {
        return pSender != nullptr ? CDuiString(pSender->objectName()) : CDuiString();
    }
    bool Is(const char* type) const { return sType == type; }
};

// Receives notifications; a window is one, and may hand them on to sub-notifiers.
class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

}  // namespace ravo
