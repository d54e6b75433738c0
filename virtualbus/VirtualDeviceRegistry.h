#pragma once

#include "virtualbus/VirtualHidBus.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ravo::virt {

// Makes the firmware of a named virtual device ("keyboard", "keyboard-receiver").
using VirtualFirmwareFactory = std::function<std::shared_ptr<VirtualFirmware>()>;

// Registers (or replaces) the firmware of a named device. Register before plugging: a device
// plugged without a registered firmware gets its built-in one (VirtualKeyboardFirmware.h).
void RegisterVirtualFirmwareFactory(const std::string& name, VirtualFirmwareFactory factory);

// The device names RAVO_TKL_VIRTUAL and --virtual accept, in a fixed order.
std::vector<std::string> VirtualDeviceNames();

// Splits a comma-separated list ("keyboard-receiver,keyboard"; spaces and empty items are
// ignored). False with a message naming the first unknown name.
bool ParseVirtualDeviceList(std::string_view list, std::vector<std::string>* names,
                            std::string* error);

// Plugs one named device, with its registered firmware. Null (and a message) for an unknown name.
std::shared_ptr<VirtualDevice> PlugNamedVirtualDevice(VirtualHidBus& bus, std::string_view name,
                                                      std::string* error);

}  // namespace ravo::virt
