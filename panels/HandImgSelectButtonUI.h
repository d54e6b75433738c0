#pragma once

#include "app/toolkit/ControlUI.h"

#include <QPushButton>

namespace ravo {

// A button that draws part of its "handimage" (the "source" rectangle "l,t,r,b") and can be
// dragged within its container. "cursor" picks the mouse cursor over it ("arrow", "ibeam",
// "wait", "cross", "uparrow", "size", "icon", "sizenwse", "sizenesw", "sizewe", "sizens",
// "sizeall", "no", "hand"). Raises "msenter" and "msleave" as the mouse comes and goes.
class CHandImgSelectButtonUI : public CControlT<QPushButton> {
public:
    static constexpr const char* kClassName = "HandImgSelectButton";

    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;

    // The cursor shape a "cursor" value names; false for an unknown name.
    static bool CursorShapeOf(const QString& name, Qt::CursorShape* shape);
    QRect Source() const { return m_source; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CDuiString m_handImage;
    QRect m_source;
    bool m_dragging = false;
    QPoint m_grab;
};

}  // namespace ravo
