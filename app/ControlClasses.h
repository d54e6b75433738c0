#pragma once

namespace ravo {

class CControlFactory;

// Registers the program's own control classes with the factory, each under its class name
// (CCircleProgressUI, CSelectPanelUI, CDeviceKeyButtonUI, ... in that order as they exist).
void RegisterControlClasses(CControlFactory& factory);

}  // namespace ravo
