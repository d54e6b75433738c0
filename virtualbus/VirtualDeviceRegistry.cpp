#include "virtualbus/VirtualDeviceRegistry.h"

#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualKeyboardFirmware.h"

#include <map>
#include <mutex>

namespace ravo::virt {

namespace {

struct NamedDevice {
    const char* name;
    std::vector<VirtualInterfaceSpec> (*interfaces)();
};

constexpr NamedDevice kNamedDevices[] = {
    {"keyboard", &KeyboardCableInterfaces},
    {"keyboard-receiver", &KeyboardReceiverInterfaces},
};

std::mutex g_mutex;
std::map<std::string, VirtualFirmwareFactory, std::less<>> g_factories;  // guarded by g_mutex

const NamedDevice* FindNamed(std::string_view name) {
    for (const NamedDevice& device : kNamedDevices)
        if (name == device.name)
            return &device;
    return nullptr;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string UnknownNameMessage(std::string_view name) {
    std::string message = "unknown virtual device \"" + std::string(name) + "\" (known:";
    for (const NamedDevice& device : kNamedDevices)
        message += std::string(" ") + device.name;
    return message + ")";
}

}  // namespace

void RegisterVirtualFirmwareFactory(const std::string& name, VirtualFirmwareFactory factory) {
    std::lock_guard lock(g_mutex);
    g_factories[name] = std::move(factory);
}

std::vector<std::string> VirtualDeviceNames() {
    std::vector<std::string> names;
    for (const NamedDevice& device : kNamedDevices)
        names.emplace_back(device.name);
    return names;
}

bool ParseVirtualDeviceList(std::string_view list, std::vector<std::string>* names,
                            std::string* error) {
    std::vector<std::string> parsed;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(',', start);
        if (end == std::string_view::npos)
            end = list.size();
        std::string name = Trim(list.substr(start, end - start));
        if (!name.empty()) {
            if (!FindNamed(name)) {
                if (error)
                    *error = UnknownNameMessage(name);
                return false;
            }
            parsed.push_back(std::move(name));
        }
        start = end + 1;
    }
    if (names)
        *names = std::move(parsed);
    return true;
}

std::shared_ptr<VirtualDevice> PlugNamedVirtualDevice(VirtualHidBus& bus, std::string_view name,
                                                      std::string* error) {
    const NamedDevice* named = FindNamed(name);
    if (!named) {
        if (error)
            *error = UnknownNameMessage(name);
        return nullptr;
    }
    VirtualFirmwareFactory factory;
    {
        std::lock_guard lock(g_mutex);
        if (auto it = g_factories.find(name); it != g_factories.end())
            factory = it->second;
    }
    std::shared_ptr<VirtualFirmware> firmware = factory ? factory() : BuiltInVirtualFirmware(name);
    return bus.Plug(named->interfaces(), std::move(firmware));
}

}  // namespace ravo::virt
