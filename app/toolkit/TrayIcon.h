#pragma once

#include "app/toolkit/DuiString.h"

#include <QIcon>
#include <QPointer>
#include <QSystemTrayIcon>

#include <functional>

namespace ravo {

// The notification-area icon. Clicks arrive as the mouse-up codes the windows route on.
class CTrayIcon {
public:
    static constexpr int kLeftButtonUp = 514;
    static constexpr int kRightButtonUp = 517;
    using Handler = std::function<void(int event)>;

    CTrayIcon() = default;
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Shows the icon; false when the desktop has no notification area (the icon then exists
    // but is not visible, so callers must keep the window reachable another way).
    bool Create(const QIcon& icon, const CDuiString& tip, Handler handler);
    void Delete();
    void SetToolTip(const CDuiString& tip);
    bool IsCreated() const { return m_icon != nullptr; }
    static bool IsAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

private:
    QPointer<QSystemTrayIcon> m_icon;
};

}  // namespace ravo
