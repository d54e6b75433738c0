#include "panels/RedioMacroButtonUI.h"

#include "app/toolkit/Drawing.h"

#include <QPainter>

namespace ravo {

CRedioMacroButtonUI::CRedioMacroButtonUI(QWidget* parent) : CControlT<QPushButton>(parent) {}

bool CRedioMacroButtonUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    if (name == "redioimage") {
        m_image = value;
        update();
        return true;
    }
    return CControlUI::SetAttribute(name, value);
}

void CRedioMacroButtonUI::DoTimer(int) {
    // Fades down to a third and back up, then again.
    m_fade += m_step;
    if (m_fade <= 85) {
        m_fade = 85;
        m_step = kFadeStep;
    } else if (m_fade >= 255) {
        m_fade = 255;
        m_step = -kFadeStep;
    }
    update();
}

void CRedioMacroButtonUI::paintEvent(QPaintEvent* event) {
    CControlT<QPushButton>::paintEvent(event);
    QPainter p(this);
    p.setOpacity(m_fade / 255.0);
    if (m_image.IsEmpty() || !draw::DrawImageString(p, rect(), rect(), m_image)) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 40, 40));
        const int d = std::min(width(), height()) / 3;
        p.drawEllipse(QRect(width() / 2 - d / 2, height() / 2 - d / 2, d, d));
    }
}

}  // namespace ravo
