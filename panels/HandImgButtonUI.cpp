#include "panels/HandImgButtonUI.h"

#include "app/toolkit/Drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace ravo {

CHandImgButtonUI::CHandImgButtonUI(QWidget* parent) : CControlT<QPushButton>(parent) {
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
}

bool CHandImgButtonUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    if (name == "handimage") {
        m_handImage = value;
    } else if (name == "deletenormalimage") {
        m_deleteImage = value;
    } else if (name == "deletehotimage") {
        m_deleteHotImage = value;
    } else {
        return CControlUI::SetAttribute(name, value);
    }
    update();
    return true;
}

QRect CHandImgButtonUI::DeleteArea() const {
    // Logical units: Qt scales them with the screen's DPI.
    return QRect(width() - 30, height() - 29, 20, 20);
}

void CHandImgButtonUI::paintEvent(QPaintEvent* event) {
    CControlT<QPushButton>::paintEvent(event);
    QPainter p(this);
    if (!m_handImage.IsEmpty()) {
        draw::DrawImageString(p, rect(), rect(), m_handImage);
    }
    if (underMouse()) {
        const QRect area = DeleteArea();
        const bool hot = area.contains(mapFromGlobal(QCursor::pos()));
        const CDuiString& image =
            hot && !m_deleteHotImage.IsEmpty() ? m_deleteHotImage : m_deleteImage;
        if (image.IsEmpty() || !draw::DrawImageString(p, area, rect(), image)) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(hot ? QColor(255, 90, 90) : QColor(200, 200, 200), 2));
            p.drawLine(area.topLeft() + QPoint(5, 5), area.bottomRight() - QPoint(5, 5));
            p.drawLine(area.topRight() + QPoint(-5, 5), area.bottomLeft() + QPoint(5, -5));
        }
    }
}

void CHandImgButtonUI::mousePressEvent(QMouseEvent* event) {
    m_pressedOnDelete =
        event->button() == Qt::LeftButton && DeleteArea().contains(event->position().toPoint());
    if (m_pressedOnDelete) {
        event->accept();
        return;
    }
    CControlT<QPushButton>::mousePressEvent(event);
}

void CHandImgButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    if (m_pressedOnDelete) {
        m_pressedOnDelete = false;
        if (event->button() == Qt::LeftButton &&
            DeleteArea().contains(event->position().toPoint())) {
            SendNotify(kDeleteClick);
        }
        event->accept();
        return;
    }
    CControlT<QPushButton>::mouseReleaseEvent(event);
}

void CHandImgButtonUI::mouseMoveEvent(QMouseEvent* event) {
    update();
    CControlT<QPushButton>::mouseMoveEvent(event);
}

}  // namespace ravo
