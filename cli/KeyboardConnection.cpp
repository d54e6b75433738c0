#include "cli/KeyboardConnection.h"

#include "device/DeviceCatalogue.h"
#include "device/HidDevice.h"
#include "device/KeyboardSequences.h"

#include <mutex>

namespace ravo::cli {

namespace {

struct KeyboardInterface {
    const DeviceSupportEntry* row = nullptr;
    bool receiver = false;
};

// The supported-device row of a keyboard's command interface that the path is, if any.
KeyboardInterface Identify(const std::string& path) {
    KeyboardInterface result;
    for (const DeviceSupportEntry& row : SupportTable()) {
        const bool keyboard = row.deviceType == kDeviceTypeWiredKeyboard ||
                              row.deviceType == kDeviceTypeReceiverKeyboard;
        if (!keyboard || row.role != kRoleCommand || row.vendorId != ParseVendorId(path) ||
            row.productId != ParseProductId(path) ||
            row.interfaceNumber != ParseInterfaceNumber(path) ||
            row.collectionNumber != ParseCollectionNumber(path))
            continue;
        result.row = &row;
        result.receiver = row.deviceType == kDeviceTypeReceiverKeyboard;
        break;
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
        if (kind.row == nullptr)
            continue;
        std::lock_guard<std::recursive_mutex> io(m_link.IoLock());
        HidDevice& device = kind.receiver ? m_link.ReceiverLink() : m_link.CableLink();
        if (!device.Open(*path, true, true, true, false)) {
            lastFailure = "cannot open the keyboard at " + *path +
                          " (is it in use, or are its permissions missing?)";
            continue;
        }
        if (device.Caps().usagePage != kind.row->usagePage ||
            device.Caps().usage != kind.row->usage) {
            device.Close();
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
