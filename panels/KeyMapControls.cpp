#include "panels/KeyMapControls.h"

#include "app/toolkit/ControlFactory.h"
#include "panels/AudioRecordUI.h"
#include "panels/ChartViewUI.h"
#include "panels/CircleProgressUI.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/HandImgButtonUI.h"
#include "panels/HandImgSelectButtonUI.h"
#include "panels/RedioMacroButtonUI.h"
#include "panels/SelectPanelUI.h"
#include "panels/WndUI.h"

namespace ravo {

void RegisterKeyMapControls(CControlFactory& f) {
    f.RegisterControl<CSelectPanelUI>(CSelectPanelUI::kClassName);
    f.RegisterControl<CSelectPanelUI>("CSelectPanelUI");
    f.RegisterControl<CDeviceKeyButtonUI>(CDeviceKeyButtonUI::kClassName);
    f.RegisterControl<CDeviceKeyButtonUI>("CDeviceKeyButtonUI");
    f.RegisterControl<CCircleProgressUI>(CCircleProgressUI::kClassName);
    f.RegisterControl<CCircleProgressUI>("CCircleProgressUI");
    f.RegisterControl<CHandImgButtonUI>(CHandImgButtonUI::kClassName);
    f.RegisterControl<CHandImgButtonUI>("CHandImgButtonUI");
    f.RegisterControl<CHandImgSelectButtonUI>(CHandImgSelectButtonUI::kClassName);
    f.RegisterControl<CHandImgSelectButtonUI>("CHandImgSelectButtonUI");
    f.RegisterControl<CRedioMacroButtonUI>(CRedioMacroButtonUI::kClassName);
    f.RegisterControl<CRedioMacroButtonUI>("CRedioMacroButtonUI");
    f.RegisterControl<CAudioRecordUI>(CAudioRecordUI::kClassName);
    f.RegisterControl<CAudioRecordUI>("CAudioRecordUI");
    // These two are known by their class names only.
    f.RegisterControl<CWndUI>("CWndUI");
    f.RegisterControl<CChartViewUI>("CChartViewUI");
}

}  // namespace ravo
