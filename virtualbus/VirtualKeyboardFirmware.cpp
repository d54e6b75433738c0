#include "virtualbus/VirtualKeyboardFirmware.h"

#include "virtualbus/VirtualDeviceRegistry.h"

#include <mutex>

namespace ravo::virt {

namespace {
std::mutex g_mutex;
std::shared_ptr<VirtualKeyboardMemory> g_memory;  // guarded by g_mutex
}  // namespace

std::shared_ptr<VirtualKeyboardMemory> RegisteredKeyboardMemory() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (!g_memory)
        g_memory =
            VirtualKeyboardMemory::FromStateFile(VirtualKeyboardMemory::DefaultStateFilePath());
    return g_memory;
}

void RegisterVirtualKeyboardFirmware() {
    RegisterVirtualFirmwareFactory("keyboard", [] {
        return std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Cable,
                                                 RegisteredKeyboardMemory());
    });
    RegisterVirtualFirmwareFactory("keyboard-receiver", [] {
        return std::make_shared<VirtualKeyboard>(VirtualKeyboard::Link::Receiver,
                                                 RegisteredKeyboardMemory());
    });
}

}  // namespace ravo::virt
