#include "cli/CliCommands.h"
#include "cli/KeyboardConnection.h"
#include "device/DeviceCatalogue.h"
#include "device/HidBus.h"
#include "device/HidDevice.h"
#include "virtualbus/VirtualHidBus.h"

#include <cstdio>
#include <ostream>

namespace ravo::cli {

namespace {

const char* TypeName(uint16_t type) {
    switch (type) {
        case kDeviceTypeWiredKeyboard:
            return "keyboard";
        case kDeviceTypeReceiverKeyboard:
            return "keyboard (receiver)";
        case kDeviceTypeWiredMouse:
            return "mouse";
        case kDeviceTypeReceiverMouse:
            return "mouse (receiver)";
        case kDeviceTypeMousePad:
            return "mouse pad";
        case kDeviceTypeHeadset:
            return "headset";
        default:
            return "?";
    }
}

bool IsKeyboard(uint16_t type) {
    return type == kDeviceTypeWiredKeyboard || type == kDeviceTypeReceiverKeyboard;
}

struct Found {
    int row = -1;  // -1: present, but it could not be opened to confirm its usage
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    std::string path;
};

}  // namespace

int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool realOnly = false;
    for (const std::string& arg : args) {
        if (arg == "--real-only") {
            realOnly = true;
        } else {
            err << "list: unknown argument \"" << arg << "\"\n";
            return kExitUsage;
        }
    }
    std::vector<std::string> paths;
    bool listed = true;
    for (const auto& backend : HidBus::Instance().Backends()) {
        if (realOnly && dynamic_cast<virt::VirtualHidBus*>(backend.get()))
            continue;
        listed = backend->Enumerate(paths) && listed;
    }
    if (!listed)
        err << "list: some HID devices could not be listed\n";

    const auto& table = SupportTable();
    std::vector<Found> found;
    HidDevice device;
    for (const std::string& path : paths) {
        const uint16_t vendor = ParseVendorId(path);
        const uint16_t product = ParseProductId(path);
        const uint16_t interfaceNumber = ParseInterfaceNumber(path);
        const uint16_t collection = ParseCollectionNumber(path);
        bool candidate = false;
        for (const DeviceSupportEntry& row : table)
            candidate |= row.vendorId == vendor && row.productId == product &&
                         row.interfaceNumber == interfaceNumber &&
                         row.collectionNumber == collection;
        if (!candidate)
            continue;
        if (!device.Open(path, true, false, true, false)) {
            found.push_back({-1, 0, 0, path});
            continue;
        }
        Found f{-1, device.Caps().usagePage, device.Caps().usage, path};
        for (size_t i = 0; i < table.size() && f.row < 0; ++i) {
            const DeviceSupportEntry& row = table[i];
            if (row.vendorId == device.Attributes().vendorId &&
                row.productId == device.Attributes().productId &&
                row.interfaceNumber == interfaceNumber && row.collectionNumber == collection &&
                row.usagePage == f.usagePage && row.usage == f.usage)
                f.row = static_cast<int>(i);
        }
        device.Close();
        if (f.row >= 0)
            found.push_back(f);
    }

    bool anyOpen = false;
    bool keyboard = false;
    bool blocked = false;
    if (!found.empty())
        out << "row  type                 role     usage      path\n";
    for (const Found& f : found) {
        char line[128];
        if (f.row < 0) {
            blocked = true;
            std::snprintf(line, sizeof line, "%-4s %-20s %-8s %-10s ", "-", "?", "?", "?");
            out << line << f.path << "  (cannot be opened: no access?)\n";
            continue;
        }
        const DeviceSupportEntry& row = table[static_cast<size_t>(f.row)];
        anyOpen = true;
        keyboard |= IsKeyboard(row.deviceType);
        char usage[16];
        std::snprintf(usage, sizeof usage, "%04X:%04X", f.usagePage, f.usage);
        std::snprintf(line, sizeof line, "%-4d %-20s %-8s %-10s ", f.row, TypeName(row.deviceType),
                      row.role == kRoleCommand ? "command" : "event", usage);
        out << line << f.path << "\n";
    }
    if (blocked)
        err << "list: some interfaces cannot be opened; install the udev rule (see README) and "
               "plug the device in again\n";
    if (realOnly) {
        if (!keyboard) {
            err << "list: no RAVO keyboard found\n";
            return kExitDeviceError;
        }
        return kExitOk;
    }
    if (!anyOpen) {
        err << "list: no supported device found\n";
        return kExitDeviceError;
    }
    return kExitOk;
}

}  // namespace ravo::cli
