#pragma once

#include "app/toolkit/ControlUI.h"

#include <QPushButton>

namespace ravo {

// A button whose "redioimage" pulses: every control timer event redraws the image with the next
// fade value, so a running recording shows. Start and stop the pulse with the toolkit's control
// timers (ui::SetTimer / KillTimer), whose events the button keeps to itself; "redioimage" is
// any image description.
class CRedioMacroButtonUI : public CControlT<QPushButton> {
public:
    static constexpr const char* kClassName = "RedioMacroButton";
    static constexpr int kFadeStep = 15;

    explicit CRedioMacroButtonUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;
    void DoTimer(int id) override;

    int Fade() const { return m_fade; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CDuiString m_image;
    int m_fade = 255;
    int m_step = -kFadeStep;
};

}  // namespace ravo
