#include "panels/ChartViewUI.h"

#include "app/toolkit/Drawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ravo {
namespace {

bool Truthy(const QString& v) {
    return v.compare("true", Qt::CaseInsensitive) == 0 || v == "1";
}

}  // namespace

CChartViewUI::CChartViewUI(QWidget* parent) : CControlT<QWidget>(parent) {}

bool CChartViewUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    const QString v = value.GetData();
    if (name == "view") {
        m_view = v.compare("histpgram", Qt::CaseInsensitive) == 0 ? View::Histogram : View::Pie;
    } else if (name == "shadowimage") {
        m_shadowImage = value;
    } else if (name == "shadowimageheight") {
        m_shadowHeight = std::max(0, v.toInt());
    } else if (name == "pillarimage") {
        m_pillarImage = value;
    } else if (name == "pillarimagewidth") {
        m_pillarWidth = std::max(0, v.toInt());
    } else if (name == "showtext") {
        m_showText = Truthy(v);
    } else if (name == "showhtml") {
        m_showHtml = Truthy(v);
    } else if (name == "font") {
        m_fontSize = std::clamp(v.toInt(), 6, 72);
    } else {
        return CControlUI::SetAttribute(name, value);
    }
    update();
    return true;
}

void CChartViewUI::AddItem(const QString& name, double value, QColor colour) {
    m_items.push_back({name, std::isfinite(value) ? std::max(0.0, value) : 0.0, colour});
    update();
}

void CChartViewUI::RemoveAll() {
    m_items.clear();
    update();
}

QColor CChartViewUI::ColourOf(size_t index) const {
    if (m_items[index].colour.isValid()) {
        return m_items[index].colour;
    }
    return QColor::fromHsv(static_cast<int>((index * 47) % 360), 170, 230);
}

void CChartViewUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRect area = rect();
    if (!m_shadowImage.IsEmpty() && m_shadowHeight > 0) {
        const QRect shadow(0, height() - m_shadowHeight, width(), m_shadowHeight);
        draw::DrawImageString(p, shadow, rect(), m_shadowImage);
        area.setBottom(shadow.top() - 1);
    }
    QFont f = font();
    f.setPixelSize(m_fontSize);
    p.setFont(f);
    if (m_view == View::Pie) {
        PaintPie(p, area);
    } else {
        PaintBars(p, area);
    }
}

void CChartViewUI::PaintPie(QPainter& p, const QRect& area) {
    double total = 0;
    for (const Item& i : m_items) {
        total += i.value;
    }
    if (total <= 0) {
        return;
    }
    const int side = std::min(area.width(), area.height()) - 4;
    const QRect pie(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
    double start = 90.0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        const double span = m_items[i].value / total * 360.0;
        p.setPen(Qt::NoPen);
        p.setBrush(ColourOf(i));
        p.drawPie(pie, static_cast<int>(start * 16), -static_cast<int>(span * 16));
        if (m_showText && span > 12) {
            const double mid = (start - span / 2) * M_PI / 180.0;
            const QPointF at(pie.center().x() + std::cos(mid) * side * 0.3,
                             pie.center().y() - std::sin(mid) * side * 0.3);
            p.setPen(Qt::white);
            p.drawText(QRectF(at.x() - 40, at.y() - 10, 80, 20), Qt::AlignCenter, m_items[i].name);
        }
        start -= span;
    }
}

void CChartViewUI::PaintBars(QPainter& p, const QRect& area) {
    if (m_items.empty()) {
        return;
    }
    double top = 0;
    for (const Item& i : m_items) {
        top = std::max(top, i.value);
    }
    const int text = m_showText ? m_fontSize + 6 : 0;
    const int slot = area.width() / static_cast<int>(m_items.size());
    const int bar = m_pillarWidth > 0 ? std::min(m_pillarWidth, slot) : std::max(1, slot * 3 / 5);
    const int usable = std::max(0, area.height() - 2 * text);
    for (size_t i = 0; i < m_items.size(); ++i) {
        const int h = top > 0 ? static_cast<int>(m_items[i].value / top * usable) : 0;
        const int x = area.left() + static_cast<int>(i) * slot + (slot - bar) / 2;
        const QRect pillar(x, area.bottom() - text - h, bar, h);
        if (m_pillarImage.IsEmpty() || !draw::DrawImageString(p, pillar, rect(), m_pillarImage)) {
            p.fillRect(pillar, ColourOf(i));
        }
        if (m_showText) {
            p.setPen(QColor(220, 220, 225));
            p.drawText(QRect(x - slot / 2, area.bottom() - text, bar + slot, text), Qt::AlignCenter,
                       m_items[i].name);
            p.drawText(QRect(x - slot / 2, pillar.top() - text, bar + slot, text), Qt::AlignCenter,
                       QString::number(m_items[i].value));
        }
    }
}

}  // namespace ravo
