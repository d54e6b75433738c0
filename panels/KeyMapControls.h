#pragma once

#include "app/toolkit/ControlFactory.h"

namespace ravo {

// Registers the device picture controls and the program's other own controls with the
// control factory, under their layout names ("DeviceKeyButton") and class names
// ("CDeviceKeyButtonUI").
void RegisterKeyMapControls(CControlFactory& factory = CControlFactory::Instance());

}  // namespace ravo
