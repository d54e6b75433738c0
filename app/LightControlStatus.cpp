#include "app/LightControlStatus.h"

namespace ravo {

QString LightControlStatus::LabelFor(int status) {
    return status ? QStringLiteral("控制灯光") : QStringLiteral("不控制灯光");
}

void LightControlStatus::Apply(int status) {
    if (m_ports.applyToDevices)
        m_ports.applyToDevices(status);
}

void LightControlStatus::Toggle() {
    m_status = m_status == 0 ? 1 : 0;
    if (m_ports.broadcast)
        m_ports.broadcast(m_status);
    if (m_ports.setLabel)
        m_ports.setLabel(LabelFor(m_status));
    Apply(m_status);
}

void LightControlStatus::OnSetMessage(uintptr_t wParam, intptr_t lParam) {
    if (wParam != 1)
        return;
    if (lParam == 0 || lParam == 1) {
        m_status = static_cast<int>(lParam);
        if (m_ports.setLabel)
            m_ports.setLabel(LabelFor(m_status));
    }
    Apply(m_status);
}

void LightControlStatus::OnSuspend() {
    Apply(0);
}

void LightControlStatus::OnResume() {
    Apply(m_status);
}

}  // namespace ravo
