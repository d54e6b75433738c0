#include "panels/SelectPanelUI.h"

#include "panels/DeviceKeyButtonUI.h"

#include <QChildEvent>
#include <QMouseEvent>

namespace ravo {

CSelectPanelUI::CSelectPanelUI(QWidget* parent) : CControlT<QWidget>(parent) {}

bool CSelectPanelUI::event(QEvent* e) {
    // Presses on a key button go to the button; the panel watches them to follow drags that
    // start there.
    if (e->type() == QEvent::ChildAdded) {
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(e)->child())) {
            child->installEventFilter(this);
        }
    } else if (e->type() == QEvent::ChildRemoved) {
        if (QObject* child = static_cast<QChildEvent*>(e)->child()) {
            child->removeEventFilter(this);
        }
    }
    return CControlT<QWidget>::event(e);
}

bool CSelectPanelUI::eventFilter(QObject* watched, QEvent* e) {
    auto* child = qobject_cast<QWidget*>(watched);
    if (child == nullptr || child->parentWidget() != this) {
        return false;
    }
    switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::LeftButton) {
                ButtonDown(child->mapToParent(me->position().toPoint()));
            }
            break;
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            MouseMove(child->mapToParent(me->position().toPoint()));
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (me->button() == Qt::LeftButton) {
                ButtonUp();
            }
            break;
        }
        default:
            break;
    }
    return false;
}

void CSelectPanelUI::mousePressEvent(QMouseEvent* e) {
    CControlT<QWidget>::mousePressEvent(e);
    if (e->button() == Qt::LeftButton) {
        ButtonDown(e->position().toPoint());
    }
    e->accept();
}

void CSelectPanelUI::mouseMoveEvent(QMouseEvent* e) {
    CControlT<QWidget>::mouseMoveEvent(e);
    MouseMove(e->position().toPoint());
    e->accept();
}

void CSelectPanelUI::mouseReleaseEvent(QMouseEvent* e) {
    CControlT<QWidget>::mouseReleaseEvent(e);
    if (e->button() == Qt::LeftButton) {
        ButtonUp();
    }
    e->accept();
}

void CSelectPanelUI::ButtonDown(const QPoint& at) {
    if (!isEnabled()) {
        return;
    }
    m_pressed = true;
    m_start = at;
    m_current = at;
}

void CSelectPanelUI::MouseMove(const QPoint& at) {
    if (m_pressed) {
        m_dragging = true;
    }
    if (m_dragging) {
        m_current = at;
        m_selection = QRect(m_start, m_current).normalized();
        update();
    }
}

void CSelectPanelUI::ButtonUp() {
    m_pressed = false;
    if (!m_dragging) {
        return;
    }
    m_dragging = false;
    m_start = m_current;
    for (QObject* child : children()) {
        if (auto* key = dynamic_cast<CDeviceKeyButtonUI*>(child)) {
            key->SetSelected(key->geometry().intersects(m_selection));
        }
    }
    update();
    SendNotify(kSelectEnd);
}

}  // namespace ravo
