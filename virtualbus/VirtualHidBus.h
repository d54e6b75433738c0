#pragma once

#include "device/HidBackend.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ravo::virt {

class VirtualDevice;

// Identity of one interface (one top-level collection) of a virtual device.
struct VirtualInterfaceSpec {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t version = 0x0100;
    uint8_t interfaceNumber = 0;
    uint8_t collectionNumber = 0;             // position in the descriptor; 0 = single collection
    std::vector<uint8_t> reportDescriptor;   // of the whole USB interface
};

// What a misbehaving interface does.
enum class InterfaceFault {
    None,
    HeldExclusively,  // open fails: another process holds it
    NoReadAccess,     // open with read access fails
    Silent,           // opens, swallows writes, never delivers input
};

// The firmware behind a virtual device's interfaces.
class VirtualFirmware {
public:
    virtual ~VirtualFirmware() = default;
    // An output report (report ID first) written to interface `index` of `device`, on the
    // writer's thread. Answers are queued with device.QueueInput. Returning false fails the write.
    virtual bool OnOutputReport(VirtualDevice& device, size_t index,
                                std::span<const uint8_t> report) = 0;
};

// A device on the virtual bus: a set of interfaces sharing one firmware.
class VirtualDevice {
public:
    virtual ~VirtualDevice() = default;
    virtual size_t InterfaceCount() const = 0;
    virtual std::string Path(size_t index) const = 0;
    virtual const VirtualInterfaceSpec& Spec(size_t index) const = 0;
    // Delivers an input report to every reader of that interface (dropped while unplugged).
    virtual void QueueInput(size_t index, std::span<const uint8_t> report) = 0;
    virtual void SetFault(size_t index, InterfaceFault fault) = 0;
    virtual bool IsPlugged(size_t index) const = 0;
};

// The in-process HID bus: a backend of HidBus whose devices tests and the program plug and
// unplug at any time.
class VirtualHidBus : public HidBackend {
public:
    static std::shared_ptr<VirtualHidBus> Create();

    virtual std::shared_ptr<VirtualDevice> Plug(std::vector<VirtualInterfaceSpec> interfaces,
                                                std::shared_ptr<VirtualFirmware> firmware) = 0;
    // Removes every interface of the device; pending reads and writes on it fail.
    virtual void Unplug(const std::shared_ptr<VirtualDevice>& device) = 0;
    virtual void UnplugInterface(const std::shared_ptr<VirtualDevice>& device, size_t index) = 0;
    virtual void ReplugInterface(const std::shared_ptr<VirtualDevice>& device, size_t index) = 0;
};

}  // namespace ravo::virt
