#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ravo {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

struct HidOpenOptions {
    bool read = true;
    bool write = true;
    bool overlapped = true;
    bool exclusive = false;
};

// Result of one transfer on a backend connection.
enum class HidTransferStatus {
    Ok,         // bytes moved
    TimedOut,   // nothing arrived within the timeout
    Cancelled,  // Cancel() was called while the transfer waited
    Failed,     // the interface is gone or the transfer failed
};

// One opened interface (one top-level collection) of a backend. Reads deliver only the
// input reports of that collection, report ID first.
class HidConnection {
public:
    virtual ~HidConnection() = default;

    virtual HidAttributes Attributes() const = 0;
    // The report descriptor of the whole USB interface; the collection is chosen by the
    // "&col" number of the path (a path without one has a single collection).
    virtual std::vector<uint8_t> ReportDescriptor() const = 0;

    // Waits at most timeoutMs (0xFFFFFFFF: without limit, but still breakable by Cancel).
    virtual HidTransferStatus Read(uint8_t* buffer, size_t length, size_t* bytesRead,
                                   uint32_t timeoutMs) = 0;
    virtual HidTransferStatus Write(const uint8_t* buffer, size_t length, size_t* bytesWritten,
                                    uint32_t timeoutMs) = 0;
    // Makes a blocked Read or Write return Cancelled promptly, and every later one too: a
    // cancelled connection is only waiting to be destroyed (HidDevice cancels on Close). Safe
    // from any thread, also while another thread is inside Read or Write.
    virtual void Cancel() = 0;
};

// A source of HID interfaces: the system's hidraw nodes, or the in-process virtual bus.
class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Appends the paths of the interfaces present, one per top-level collection, in the
    // Windows form \\?\hid#vid_XXXX&pid_XXXX&mi_XX&colXX#...  Returns false when the
    // listing itself failed.
    virtual bool Enumerate(std::vector<std::string>& paths) = 0;
    // True when the path is one of this backend's.
    virtual bool Owns(const std::string& path) const = 0;
    // Null when the interface is absent or refuses to open with these options.
    virtual std::unique_ptr<HidConnection> Open(const std::string& path,
                                                const HidOpenOptions& options) = 0;
};

}  // namespace ravo
