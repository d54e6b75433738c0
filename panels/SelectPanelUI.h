#pragma once

#include "app/toolkit/ControlUI.h"

#include <QPoint>
#include <QRect>
#include <QWidget>

namespace ravo {

// The container of a device picture's key buttons. Dragging across it (also when the drag
// starts on a key button) selects every key button the spanned rectangle touches and raises
// "click_select_end" once the button is released. The rectangle itself is not drawn. The
// panel never takes the mouse from its buttons: it watches their mouse events instead.
class CSelectPanelUI : public CControlT<QWidget> {
public:
    static constexpr const char* kClassName = "SelectPanel";
    static constexpr const char* kSelectEnd = "click_select_end";

    explicit CSelectPanelUI(QWidget* parent = nullptr);

    CDuiString GetClass() const override { return kClassName; }

    // In panel coordinates; empty until the first drag.
    QRect SelectionRect() const { return m_selection; }
    bool IsDragging() const { return m_dragging; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ButtonDown(const QPoint& at);
    void MouseMove(const QPoint& at);
    void ButtonUp();

    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_start;
    QPoint m_current;
    QRect m_selection;
};

}  // namespace ravo
