#include "panels/DeviceKeyButtonUI.h"

#include "app/toolkit/Drawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace ravo {

CDeviceKeyButtonUI::CDeviceKeyButtonUI(QWidget* parent) : CControlT<QPushButton>(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
}

bool CDeviceKeyButtonUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    if (name == "lightimage") {
        m_lightImage = value;
        update();
        return true;
    }
    if (name == "keysetimage") {
        m_keySetImage = value;
        update();
        return true;
    }
    if (name == "gmnametextcolor") {
        // Kept for layouts written for other builds; the value is read and has no effect.
        QString text = value.GetData();
        if (text.startsWith('#')) {
            text.remove(0, 1);
        }
        bool ok = false;
        (void)text.toUInt(&ok, 16);
        return true;
    }
    return CControlUI::SetAttribute(name, value);
}

void CDeviceKeyButtonUI::SetLightColour(quint32 colour, int alpha, bool shown) {
    m_lightColour = colour;
    m_lightAlpha = std::clamp(alpha, 0, 255);
    m_lightShown = shown;
    update();
}

QColor CDeviceKeyButtonUI::UnpackLightColour(quint32 colour, int alpha) {
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 16) & 0xFF),
                  static_cast<int>((colour >> 8) & 0xFF), std::clamp(alpha, 0, 255));
}

void CDeviceKeyButtonUI::SetKeySetImageShown(bool shown) {
    if (m_keySetImageShown == shown) {
        return;
    }
    m_keySetImageShown = shown;
    update();
}

void CDeviceKeyButtonUI::SetRemapped(bool remapped) {
    if (m_remapped == remapped) {
        return;
    }
    m_remapped = remapped;
    update();
}

void CDeviceKeyButtonUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal radius = std::min(r.width(), r.height()) * 0.14;

    // The key cap in its state.
    const bool enabled = isEnabled();
    QColor rim(58, 60, 68);
    QColor top(34, 35, 41);
    if (!enabled) {
        top = QColor(26, 26, 30);
    } else if (isDown()) {
        top = QColor(24, 25, 30);
    } else if (underMouse()) {
        top = QColor(46, 48, 56);
    }
    const QColor light = UnpackLightColour(m_lightColour, m_lightAlpha);
    p.setPen(QPen(m_lightShown ? light : rim, m_lightShown ? 2.0 : 1.0));
    p.setBrush(rim.darker(160));
    p.drawRoundedRect(r, radius, radius);
    const QRectF face =
        r.adjusted(r.width() * 0.08, r.height() * 0.06, -r.width() * 0.08, -r.height() * 0.16);
    p.setPen(Qt::NoPen);
    p.setBrush(top);
    p.drawRoundedRect(face, radius * 0.8, radius * 0.8);

    // The light: the light image tinted with the light colour, or a glow of that colour.
    if (m_lightShown) {
        const quint32 tint = 0xFF000000u | (light.rgb() & 0xFFFFFFu);
        if (m_lightImage.IsEmpty() ||
            !draw::DrawImageString(p, rect(), rect(), m_lightImage, tint, m_lightAlpha, true)) {
            QRadialGradient glow(face.center(), std::max(face.width(), face.height()) * 0.75);
            QColor inner = light;
            inner.setAlpha(light.alpha() * 3 / 5);
            QColor outer = light;
            outer.setAlpha(light.alpha() / 6);
            glow.setColorAt(0, inner);
            glow.setColorAt(1, outer);
            p.setBrush(glow);
            p.drawRoundedRect(face, radius * 0.8, radius * 0.8);
        }
    }

    // The legend.
    if (!text().isEmpty()) {
        QFont f = font();
        f.setPixelSize(std::max(7, static_cast<int>(std::min(face.height() * 0.32, 12.0))));
        f.setBold(true);
        p.setFont(f);
        // Light legends on any glow stay readable; the light shows in the rim and the glow.
        QColor legend(232, 232, 238);
        legend.setAlpha(enabled ? 255 : 110);
        p.setPen(legend);
        p.drawText(face.adjusted(2, 1, -2, -1), Qt::AlignCenter | Qt::TextWordWrap, text());
    }

    // The assignment symbol.
    if (m_keySetImageShown) {
        const bool drawn =
            !m_keySetImage.IsEmpty() && draw::DrawImageString(p, rect(), rect(), m_keySetImage);
        if (!drawn && m_remapped) {
            const qreal d = std::max(4.0, std::min(r.width(), r.height()) * 0.14);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 160, 0));
            p.drawEllipse(QRectF(face.right() - d - 1, face.top() + 1, d, d));
        }
    }
}

void CDeviceKeyButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!isEnabled() || !rect().contains(event->position().toPoint())) {
        CControlT<QPushButton>::mouseDoubleClickEvent(event);
        return;
    }
    setDown(true);
    SendNotify("dbclick");
    update();
    event->accept();
}

}  // namespace ravo
