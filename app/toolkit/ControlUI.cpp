#include "app/toolkit/ControlUI.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/Notify.h"

#include <QVariant>

namespace ravo {

bool CControlUI::SetAttribute(const CDuiString& /*name*/, const CDuiString& /*value*/) {
    return false;
}

void CControlUI::DoTimer(int id) {
    SendNotify(notify::kTimer, static_cast<quintptr>(id));
}

void CControlUI::SetText(const CDuiString& text) {
    if (QWidget* w = Widget()) {
        w->setProperty("text", text.GetData());
        w->update();
    }
}

CDuiString CControlUI::GetText() const {
    const QWidget* w = Widget();
    return w != nullptr ? CDuiString(w->property("text").toString()) : CDuiString();
}

void CControlUI::SendNotify(const CDuiString& type, quintptr wParam, qintptr lParam) {
    ui::SendNotify(Widget(), type, wParam, lParam);
}

}  // namespace ravo
