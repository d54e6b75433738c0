#pragma once

#include "app/toolkit/ControlUI.h"

#include <QProgressBar>

namespace ravo {

// A progress control drawn as a circle: the background colour fills the whole circle, the
// foreground colour draws an arc from 90 degrees whose sweep is the value's share of the range.
// Attributes "bkcolor" and "forecolor" (#AARRGGBB) and "circlewidth" (arc width in pixels).
class CCircleProgressUI : public CControlT<QProgressBar> {
public:
    static constexpr const char* kClassName = "CircleProgress";

    explicit CCircleProgressUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;

    // Degrees of the arc for the current value: value / (maximum - minimum) * 360.
    double SweepDegrees() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 m_background = 0xFF2A2C33;
    quint32 m_foreground = 0xFF00A0FF;
    int m_arcWidth = 0;  // 0 = a tenth of the diameter
};

}  // namespace ravo
