#pragma once

#include "virtualbus/VirtualKeyboard.h"

#include <memory>
#include <string_view>

namespace ravo::virt {

// The built-in firmware of a named virtual device, used when no other was registered:
// "keyboard" (by cable) and "keyboard-receiver" (through its receiver) are links to one
// keyboard of this process, whose memory lives in the state file
// (VirtualKeyboardMemory::DefaultStateFilePath, read once when the first of them is made), so
// what one run writes the next run reads. Null for other names.
std::shared_ptr<VirtualFirmware> BuiltInVirtualFirmware(std::string_view name);

// The memory the built-in keyboards share (read from the state file on first use).
std::shared_ptr<VirtualKeyboardMemory> BuiltInKeyboardMemory();

}  // namespace ravo::virt
