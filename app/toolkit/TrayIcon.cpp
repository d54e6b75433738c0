#include "app/toolkit/TrayIcon.h"

namespace ravo {

CTrayIcon::~CTrayIcon() {
    Delete();
}

bool CTrayIcon::Create(const QIcon& icon, const CDuiString& tip, Handler handler) {
    Delete();
    m_icon = new QSystemTrayIcon(icon);
    m_icon->setToolTip(tip.GetData());
    QObject::connect(
        m_icon, &QSystemTrayIcon::activated, m_icon,
        [handler = std::move(handler)](QSystemTrayIcon::ActivationReason reason) {
            if (!handler)
                return;
            if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
                handler(kLeftButtonUp);
            else if (reason == QSystemTrayIcon::Context)
                handler(kRightButtonUp);
        });
    m_icon->show();
    return IsAvailable();
}

void CTrayIcon::Delete() {
    if (m_icon != nullptr) {
        m_icon->hide();
        delete m_icon.data();
    }
    m_icon = nullptr;
}

void CTrayIcon::SetToolTip(const CDuiString& tip) {
    if (m_icon != nullptr)
        m_icon->setToolTip(tip.GetData());
}

}  // namespace ravo
