#include "app/MainDevice.h"

namespace ravo {

std::unique_ptr<MainDevice> AdoptDeviceObject(QWidget* /*page*/, const DeviceSetup& /*setup*/) {
    return nullptr;
}

}  // namespace ravo
