#pragma once

// A command link opened on a virtual keyboard plugged into a private virtual bus, for the
// tests of the transport and the command set.
#include "device/CommandLink.h"
#include "device/HidBus.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualHidBus.h"
#include "virtualbus/VirtualKeyboard.h"

#include <memory>

namespace ravo::test {

struct VirtualKeyboardLink {
    using Link = virt::VirtualKeyboard::Link;

    explicit VirtualKeyboardLink(
        Link kind = Link::Cable,
        virt::VirtualKeyboardState state = virt::VirtualKeyboardState::Defaults())
        : bus(virt::VirtualHidBus::Create()),
          firmware(std::make_shared<virt::VirtualKeyboard>(
              kind, std::make_shared<virt::VirtualKeyboardMemory>(state))) {
        HidBus::Instance().SetBackends({bus});
        device = bus->Plug(kind == Link::Cable ? virt::KeyboardCableInterfaces()
                                               : virt::KeyboardReceiverInterfaces(),
                           firmware);
        HidDevice& hid = kind == Link::Cable ? link.CableLink() : link.ReceiverLink();
        opened = hid.Open(device->Path(virt::kKeyboardCommandInterface), true, true, true, false);
        link.SetLinkMode(kind == Link::Cable ? CommandLink::kModeCable
                                             : CommandLink::kModeReceiver);
        link.SetOpen(opened);
    }
    ~VirtualKeyboardLink() {
        link.SetOpen(false);
        HidBus::Instance().SetBackends({});
    }

    virt::VirtualKeyboardState State() const { return firmware->Memory().Snapshot(); }

    std::shared_ptr<virt::VirtualHidBus> bus;
    std::shared_ptr<virt::VirtualKeyboard> firmware;
    std::shared_ptr<virt::VirtualDevice> device;
    CommandLink link;
    bool opened = false;
};

}  // namespace ravo::test
