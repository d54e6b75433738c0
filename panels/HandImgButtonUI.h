#pragma once

#include "app/toolkit/ControlUI.h"

#include <QPushButton>

namespace ravo {

// A button with a hand image over it and, while the mouse is over it, a delete symbol in a
// 20 x 20 corner area (its top 29 units above the bottom edge, its left 30 units left of the
// right edge, scaled with the DPI). A click in that area raises "click_handdelete" instead of
// activating the button. Attributes "handimage", "deletenormalimage", "deletehotimage".
class CHandImgButtonUI : public CControlT<QPushButton> {
public:
    static constexpr const char* kClassName = "HandImgButton";
    static constexpr const char* kDeleteClick = "click_handdelete";

    explicit CHandImgButtonUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;

    QRect DeleteArea() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CDuiString m_handImage;
    CDuiString m_deleteImage;
    CDuiString m_deleteHotImage;
    bool m_pressedOnDelete = false;
};

}  // namespace ravo
