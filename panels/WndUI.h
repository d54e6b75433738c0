#pragma once

#include "app/toolkit/ControlUI.h"

#include <QPointer>
#include <QWidget>

namespace ravo {

// A control that hosts a window of its own (a widget made elsewhere, e.g. a video or a chart
// from another toolkit) and keeps it on its own place: the hosted window follows the control's
// position, size and visibility.
class CWndUI : public CControlT<QWidget> {
public:
    static constexpr const char* kClassName = "Wnd";

    explicit CWndUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }

    // Takes the window in; a previous one is given back parentless (not deleted).
    void Attach(QWidget* hosted);
    QWidget* Detach();
    QWidget* Hosted() const { return m_hosted; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> m_hosted;
};

}  // namespace ravo
