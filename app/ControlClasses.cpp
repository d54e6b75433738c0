#include "app/ControlClasses.h"

#include "app/DeviceOptionUI.h"
#include "app/MpDevicePowerUI.h"
#include "app/toolkit/ControlFactory.h"
#include "panels/KeyMapControls.h"

namespace ravo {

namespace {

// Under its class name, and under the name its layouts use when that differs.
template <class T>
void Register(CControlFactory& factory, const char* className, const char* layoutName) {
    factory.RegisterControl<T>(className);
    factory.RegisterControl<T>(layoutName);
}

}  // namespace

void RegisterControlClasses(CControlFactory& factory) {
    // Order: CCircleProgressUI, CChartViewUI, CWndUI, CSelectPanelUI, CDeviceKeyButtonUI,
    // CCloudShareListItemUI, CUpdateInfoListItemUI, CDeviceOptionUI, CMpDevicePowerUI,
    // CComboEditContainerElementUI, CHandImgButtonUI, CHandImgSelectButtonUI,
    // CRedioMacroButtonUI, CAudioRecordUI, CLightControlUI, CMacroControlUI, CKeySetControlUI,
    // CDeviceProfileUI, CShootControlUI, CMagicControlUI, CVoice6533ControlUI,
    // CNorvexUSBDevice, CNorvexMousePadDevice, CNorvexVA6533Device. Each class joins the list
    // here, in that order, as it is written.
    // The picture and other own controls of panels/ register themselves.
    RegisterKeyMapControls(factory);
    Register<CDeviceOptionUI>(factory, "CDeviceOptionUI", "DeviceOption");
    Register<CMpDevicePowerUI>(factory, "CMpDevicePowerUI", "MpDevicePower");
}

}  // namespace ravo
