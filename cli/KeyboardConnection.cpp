#include "cli/KeyboardConnection.h"

#include "device/HidDevice.h"
#include "device/KeyboardSequences.h"

#include <mutex>

namespace ravo::cli {

namespace {

struct KeyboardInterface {
    bool found = false;
    bool receiver = false;
};

// Whether the path is a keyboard's command interface, and over which link.
KeyboardInterface Identify(const std::string& path) {
    KeyboardInterface result;
    const uint16_t vendor = ParseVendorId(path);
    const uint16_t product = ParseProductId(path);
    if (vendor != 0x320F || ParseInterfaceNumber(path) != 1 || ParseCollectionNumber(path) != 4)
        return result;
    if (product == 0x5078) {
        result.found = true;
    } else if (product == 0x5001) {
        result.found = true;
        result.receiver = true;
    }
    return result;
}

}  // namespace

KeyboardConnection::~KeyboardConnection() {
    std::lock_guard<std::recursive_mutex> io(m_link.IoLock());
    m_link.SetOpen(false);
    m_link.CableLink().Close();
    m_link.ReceiverLink().Close();
}

bool KeyboardConnection::Open(std::string* error) {
    HidDevice scanner;
    if (!scanner.ListInterfaces()) {
        if (error != nullptr)
            *error = "cannot list the HID devices";
        return false;
    }
    std::string lastFailure;
    while (const std::string* path = scanner.NextInterfacePath()) {
        const KeyboardInterface kind = Identify(*path);
        if (!kind.found)
            continue;
        std::lock_guard<std::recursive_mutex> io(m_link.IoLock());
        HidDevice& device = kind.receiver ? m_link.ReceiverLink() : m_link.CableLink();
        if (!device.Open(*path, true, true, true, false)) {
            lastFailure = "cannot open the keyboard at " + *path +
                          " (is it in use, or are its permissions missing?)";
            continue;
        }
        m_path = *path;
        m_receiver = kind.receiver;
        m_link.SetLinkMode(kind.receiver ? CommandLink::kModeReceiver : CommandLink::kModeCable);
        m_link.SetOpen(true);
        return true;
    }
    if (error != nullptr)
        *error = lastFailure.empty() ? "no keyboard found" : lastFailure;
    return false;
}

std::string DescribeResult(int32_t result) {
    switch (result) {
        case kCommandOk:
            return "done";
        case kCommandNoAnswer:
            return "the keyboard does not answer";
        case kCommandWriteFailed:
            return "the command could not be sent to the keyboard";
        case kCommandOffline:
            return "the keyboard is not connected to its receiver";
        case kCommandRejected:
            return "the keyboard rejected the command";
        case kCommandFailed:
            return "the keyboard could not carry out the command";
        case kCommandBadPage:
            return "the key table page does not exist";
        case keyboard::kBadDeviceData:
            return "the keyboard reported a key count out of range";
        default:
            return "the command failed (result " + std::to_string(result) + ")";
    }
}

}  // namespace ravo::cli
