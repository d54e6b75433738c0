#include "panels/CircleProgressUI.h"

#include "app/toolkit/ControlOps.h"

#include <QPainter>

#include <algorithm>

namespace ravo {

CCircleProgressUI::CCircleProgressUI(QWidget* parent) : CControlT<QProgressBar>(parent) {
    setTextVisible(false);
}

bool CCircleProgressUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    quint32 argb = 0;
    if (name == "bkcolor" && ui::ParseColor(value, &argb)) {
        m_background = argb;
        update();
        return true;
    }
    if (name == "forecolor" && ui::ParseColor(value, &argb)) {
        m_foreground = argb;
        update();
        return true;
    }
    if (name == "circlewidth") {
        m_arcWidth = std::max(0, value.GetData().toInt());
        update();
        return true;
    }
    return CControlUI::SetAttribute(name, value);
}

double CCircleProgressUI::SweepDegrees() const {
    const int range = maximum() - minimum();
    if (range <= 0) {
        return 0.0;
    }
    return std::clamp(static_cast<double>(value()) / range, 0.0, 1.0) * 360.0;
}

void CCircleProgressUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height());
    const int pen = m_arcWidth > 0 ? m_arcWidth : std::max(2, side / 10);
    const QRectF circle((width() - side) / 2.0 + pen / 2.0, (height() - side) / 2.0 + pen / 2.0,
                        side - pen, side - pen);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgba(m_background));
    p.drawEllipse(circle.adjusted(-pen / 2.0, -pen / 2.0, pen / 2.0, pen / 2.0));
    p.setPen(QPen(QColor::fromRgba(m_foreground), pen, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    // Qt counts angles in sixteenths of a degree, anticlockwise from 3 o'clock.
    p.drawArc(circle, 90 * 16, -static_cast<int>(SweepDegrees() * 16));
}

}  // namespace ravo
