#include "panels/HandImgSelectButtonUI.h"

#include "app/toolkit/Drawing.h"

#include <QMouseEvent>
#include <QPainter>

namespace ravo {

CHandImgSelectButtonUI::CHandImgSelectButtonUI(QWidget* parent) : CControlT<QPushButton>(parent) {}

bool CHandImgSelectButtonUI::CursorShapeOf(const QString& name, Qt::CursorShape* shape) {
    static const struct {
        const char* name;
        Qt::CursorShape shape;
    } kCursors[] = {
        {"arrow", Qt::ArrowCursor},        {"ibeam", Qt::IBeamCursor},
        {"wait", Qt::WaitCursor},          {"cross", Qt::CrossCursor},
        {"uparrow", Qt::UpArrowCursor},    {"size", Qt::SizeAllCursor},
        {"icon", Qt::ArrowCursor},         {"sizenwse", Qt::SizeFDiagCursor},
        {"sizenesw", Qt::SizeBDiagCursor}, {"sizewe", Qt::SizeHorCursor},
        {"sizens", Qt::SizeVerCursor},     {"sizeall", Qt::SizeAllCursor},
        {"no", Qt::ForbiddenCursor},       {"hand", Qt::PointingHandCursor},
    };
    for (const auto& c : kCursors) {
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            *shape = c.shape;
            return true;
        }
    }
    return false;
}

bool CHandImgSelectButtonUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    if (name == "handimage") {
        m_handImage = value;
    } else if (name == "source") {
        const QStringList n = value.GetData().split(',');
        if (n.size() == 4) {
            const int l = n[0].trimmed().toInt();
            const int t = n[1].trimmed().toInt();
            const int r = n[2].trimmed().toInt();
            const int b = n[3].trimmed().toInt();
            m_source = r > l && b > t ? QRect(QPoint(l, t), QPoint(r - 1, b - 1)) : QRect();
        }
    } else if (name == "cursor") {
        Qt::CursorShape shape = Qt::ArrowCursor;
        if (CursorShapeOf(value.GetData(), &shape)) {
            setCursor(shape);
        }
        return true;
    } else {
        return CControlUI::SetAttribute(name, value);
    }
    update();
    return true;
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent* event) {
    CControlT<QPushButton>::paintEvent(event);
    if (m_handImage.IsEmpty()) {
        return;
    }
    QString desc = m_handImage.GetData();
    if (!m_source.isNull() && !desc.contains('=')) {
        desc = QStringLiteral("file='%1' source='%2,%3,%4,%5'")
                   .arg(desc)
                   .arg(m_source.left())
                   .arg(m_source.top())
                   .arg(m_source.right() + 1)
                   .arg(m_source.bottom() + 1);
    }
    QPainter p(this);
    draw::DrawImageString(p, rect(), rect(), desc);
}

void CHandImgSelectButtonUI::enterEvent(QEnterEvent* event) {
    CControlT<QPushButton>::enterEvent(event);
    SendNotify("msenter");
}

void CHandImgSelectButtonUI::leaveEvent(QEvent* event) {
    CControlT<QPushButton>::leaveEvent(event);
    SendNotify("msleave");
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && isEnabled()) {
        m_dragging = true;
        m_grab = event->position().toPoint();
    }
    CControlT<QPushButton>::mousePressEvent(event);
}

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        QPoint to = mapToParent(event->position().toPoint() - m_grab);
        if (QWidget* parent = parentWidget()) {
            to.setX(std::clamp(to.x(), 0, std::max(0, parent->width() - width())));
            to.setY(std::clamp(to.y(), 0, std::max(0, parent->height() - height())));
        }
        move(to);
    }
    CControlT<QPushButton>::mouseMoveEvent(event);
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent* event) {
    m_dragging = false;
    CControlT<QPushButton>::mouseReleaseEvent(event);
}

}  // namespace ravo
