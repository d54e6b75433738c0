#include "virtualbus/HidBusSetup.h"

#include "device/HidBus.h"
#include "platform/hid/HidrawBackend.h"
#include "virtualbus/VirtualDeviceRegistry.h"

#include <QString>

namespace ravo {

std::string VirtualDeviceListFromEnvironment() {
    return qEnvironmentVariable("RAVO_TKL_VIRTUAL").toStdString();
}

bool SetUpHidBus(std::string_view virtualList, HidBusSetup* setup, std::string* error) {
    std::vector<std::shared_ptr<HidBackend>> backends{platform::CreateHidrawBackend()};
    HidBusSetup result;
    std::vector<std::string> names;
    const bool ok = virt::ParseVirtualDeviceList(virtualList, &names, error);
    if (ok && !names.empty()) {
        result.virtualBus = virt::VirtualHidBus::Create();
        for (const std::string& name : names)
            if (auto device = virt::PlugNamedVirtualDevice(*result.virtualBus, name, error))
                result.virtualDevices.push_back(std::move(device));
        backends.push_back(result.virtualBus);
    }
    HidBus::Instance().SetBackends(std::move(backends));
    if (setup)
        *setup = std::move(result);
    return ok;
}

}  // namespace ravo
