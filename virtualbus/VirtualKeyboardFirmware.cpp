#include "virtualbus/VirtualKeyboardFirmware.h"

#include <mutex>

namespace ravo::virt {

namespace {
std::mutex g_mutex;
std::shared_ptr<VirtualKeyboardMemory> g_memory;  // guarded by g_mutex
}  // namespace

std::shared_ptr<VirtualKeyboardMemory> BuiltInKeyboardMemory() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_memory)
        g_memory =
            VirtualKeyboardMemory::FromStateFile(VirtualKeyboardMemory::DefaultStateFilePath());
    return g_memory;
}

std::shared_ptr<VirtualFirmware> BuiltInVirtualFirmware(std::string_view name) {
    if (name == "keyboard")
        return std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Cable,
                                                 BuiltInKeyboardMemory());
    if (name == "keyboard-receiver")
        return std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Receiver,
                                                 BuiltInKeyboardMemory());
    return nullptr;
}

}  // namespace ravo::virt
