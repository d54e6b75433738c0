#pragma once

#include "device/HidBackend.h"

#include <memory>
#include <string>

namespace ravo::platform {

// The system's HID interfaces: hidraw nodes listed through hidapi, each top-level collection
// presented as its own interface (HidrawPaths.h), descriptors and identities from sysfs.
// The roots are only changed by tests.
std::shared_ptr<HidBackend> CreateHidrawBackend(std::string sysfsRoot = "/sys",
                                                std::string devRoot = "/dev");

}  // namespace ravo::platform
