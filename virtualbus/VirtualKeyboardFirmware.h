#pragma once

#include "virtualbus/VirtualKeyboard.h"

#include <memory>

namespace ravo::virt {

// Registers the firmware of the named virtual devices "keyboard" (by cable) and
// "keyboard-receiver" (through its receiver). Both are links to one keyboard of this process,
// whose memory lives in the state file (VirtualKeyboardMemory::DefaultStateFilePath, read
// once when the first of them is made), so what one run writes the next run reads.
void RegisterVirtualKeyboardFirmware();

// The memory the registered keyboards share (read from the state file on first use).
std::shared_ptr<VirtualKeyboardMemory> RegisteredKeyboardMemory();

}  // namespace ravo::virt
