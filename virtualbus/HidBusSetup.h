#pragma once

#include "virtualbus/VirtualHidBus.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ravo {

// What the programs put on the process's HidBus at start-up.
struct HidBusSetup {
    std::shared_ptr<virt::VirtualHidBus> virtualBus;  // null when no virtual device is named
    std::vector<std::shared_ptr<virt::VirtualDevice>> virtualDevices;  // in list order
};

// The list of virtual devices named by RAVO_TKL_VIRTUAL (empty when unset).
std::string VirtualDeviceListFromEnvironment();

// Sets the process's HidBus: the system's hidraw devices, and beside them a virtual bus with
// the devices named in `virtualList` ("keyboard", "keyboard-receiver,keyboard"). Register
// other firmware (VirtualDeviceRegistry.h) before calling. An unknown name gives false and
// a message; the system's devices are set up all the same, with no virtual device.
bool SetUpHidBus(std::string_view virtualList, HidBusSetup* setup, std::string* error);

}  // namespace ravo
