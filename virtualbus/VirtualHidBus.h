#pragma once

// The in-process virtual HID bus: devices that exist only inside this process, reached through
// the same HidDevice operations as real ones.
//
// Using it (tests, or a program started with RAVO_TKL_VIRTUAL / --virtual):
//
//   auto bus = ravo::virt::VirtualHidBus::Create();
//   ravo::HidBus::Instance().SetBackends({bus});                // or beside the hidraw backend
//   auto kb = bus->Plug(ravo::virt::KeyboardCableInterfaces(), firmware);   // rows 0 and 1
//   ...HidDevice::ListInterfaces / Open(kb->Path(0), ...) / ReadReport / WriteReport...
//   kb->QueueInput(ravo::virt::kKeyboardEventInterface, report);   // device-initiated input
//   kb->SetFault(0, ravo::virt::InterfaceFault::Silent);           // misbehave on request
//   bus->UnplugInterface(kb, 1); bus->ReplugInterface(kb, 1);      // one collection goes away
//   bus->Unplug(kb);                                               // the cable is pulled
//
// A written output report reaches the firmware's OnOutputReport on the writer's thread; the
// firmware answers with QueueInput. Reads wait with the caller's timeout, return Cancelled when
// the HidDevice is closed from another thread, and Failed once the interface is unplugged.
// Named devices ("keyboard", "keyboard-receiver") are plugged by VirtualDeviceRegistry.h.
// Everything here is safe to call from any thread.

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
    uint8_t collectionNumber = 0;           // position in the descriptor; 0 = single collection
    std::vector<uint8_t> reportDescriptor;  // of the whole USB interface
};

// What a misbehaving interface does.
enum class InterfaceFault {
    None,
    HeldExclusively,  // opening it for reading or writing fails: another process holds it
    NoReadAccess,     // open with read access fails
    Silent,           // opens, swallows writes, never delivers input
    WriteStalls,      // writes wait until their timeout, a cancel or the interface vanishing
};

// The firmware behind a virtual device's interfaces.
class VirtualFirmware {
public:
    virtual ~VirtualFirmware() = default;
    // An output report (report ID first) written to interface `index` of `device`, on the
    // writer's thread. Answers are queued with device.QueueInput. Returning false fails the write.
    virtual bool OnOutputReport(VirtualDevice& device, size_t index,
                                std::span<const uint8_t> report) = 0;
    // Called once when the device is plugged, for firmware that sends input on its own. Keep
    // only the weak reference: the device owns its firmware.
    virtual void OnAttached(const std::weak_ptr<VirtualDevice>& device) { (void)device; }
};

// A device on the virtual bus: a set of interfaces sharing one firmware.
class VirtualDevice {
public:
    virtual ~VirtualDevice() = default;
    virtual size_t InterfaceCount() const = 0;
    virtual std::string Path(size_t index) const = 0;
    virtual const VirtualInterfaceSpec& Spec(size_t index) const = 0;
    // Delivers an input report to every reader of that interface (dropped while unplugged or
    // silent). Each open interface keeps the last 64 reports not yet read, like a hidraw node.
    virtual void QueueInput(size_t index, std::span<const uint8_t> report) = 0;
    virtual void SetFault(size_t index, InterfaceFault fault) = 0;
    virtual InterfaceFault Fault(size_t index) const = 0;
    virtual bool IsPlugged(size_t index) const = 0;
    // Number of connections currently open on the interface.
    virtual size_t OpenCount(size_t index) const = 0;
};

// The in-process HID bus: a backend of HidBus whose devices tests and the program plug and
// unplug at any time. Interfaces are listed in plug order, then interface order.
class VirtualHidBus : public HidBackend {
public:
    static std::shared_ptr<VirtualHidBus> Create();

    // A firmware may be null: writes are then accepted and nothing answers.
    virtual std::shared_ptr<VirtualDevice> Plug(std::vector<VirtualInterfaceSpec> interfaces,
                                                std::shared_ptr<VirtualFirmware> firmware) = 0;
    // Removes every interface of the device; pending reads and writes on it fail.
    virtual void Unplug(const std::shared_ptr<VirtualDevice>& device) = 0;
    // Puts every interface of an unplugged device back, with the same paths.
    virtual void Replug(const std::shared_ptr<VirtualDevice>& device) = 0;
    virtual void UnplugInterface(const std::shared_ptr<VirtualDevice>& device, size_t index) = 0;
    virtual void ReplugInterface(const std::shared_ptr<VirtualDevice>& device, size_t index) = 0;
    // Number of Enumerate calls so far (lets tests see whether a scan listed the bus).
    virtual uint64_t EnumerationCount() const = 0;
};

}  // namespace ravo::virt
