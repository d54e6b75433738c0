#include "panels/KeyMapControls.h"

#include "app/toolkit/ControlFactory.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/SelectPanelUI.h"

namespace ravo {

void RegisterKeyMapControls() {
    CControlFactory& f = CControlFactory::Instance();
    f.RegisterControl<CSelectPanelUI>(CSelectPanelUI::kClassName);
    f.RegisterControl<CSelectPanelUI>("CSelectPanelUI");
    f.RegisterControl<CDeviceKeyButtonUI>(CDeviceKeyButtonUI::kClassName);
    f.RegisterControl<CDeviceKeyButtonUI>("CDeviceKeyButtonUI");
}

}  // namespace ravo
