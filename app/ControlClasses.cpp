#include "app/ControlClasses.h"

#include "app/toolkit/ControlFactory.h"

namespace ravo {

void RegisterControlClasses(CControlFactory& factory) {
    // Order: CCircleProgressUI, CChartViewUI, CWndUI, CSelectPanelUI, CDeviceKeyButtonUI,
    // CCloudShareListItemUI, CUpdateInfoListItemUI, CDeviceOptionUI, CMpDevicePowerUI,
    // CComboEditContainerElementUI, CHandImgButtonUI, CHandImgSelectButtonUI,
    // CRedioMacroButtonUI, CAudioRecordUI, CLightControlUI, CMacroControlUI, CKeySetControlUI,
    // CDeviceProfileUI, CShootControlUI, CMagicControlUI, CVoice6533ControlUI,
    // CNorvexUSBDevice, CNorvexMousePadDevice, CNorvexVA6533Device. Each class is added here
    // as it is written:
    //     factory.RegisterControl<CSelectPanelUI>("CSelectPanelUI");
    (void)factory;
}

}  // namespace ravo
