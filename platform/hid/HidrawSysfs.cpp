#include "platform/hid/HidrawSysfs.h"

#include "device/HidReportDescriptor.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace ravo::platform {

namespace {

bool ReadFile(const std::string& path, std::string* content, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content->clear();
    char buffer[1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        content->append(buffer, static_cast<size_t>(in.gcount()));
        if (content->size() > limit)
            return false;
    }
    return true;
}

}  // namespace

bool ReadHidrawNodeInfo(const std::string& sysfsRoot, const std::string& node, HidrawNodeInfo* info,
                        std::string* error) {
    const std::string device = sysfsRoot + "/class/hidraw/" + node + "/device";
    std::string text;
    if (!ReadFile(device + "/report_descriptor", &text, HidReportDescriptor::kMaxDescriptorBytes) ||
        text.empty()) {
        if (error)
            *error = "cannot read the report descriptor of " + node;
        return false;
    }
    info->reportDescriptor.assign(text.begin(), text.end());

    // HID_ID=<bus>:<vendor>:<product>, each in hexadecimal.
    if (!ReadFile(device + "/uevent", &text, 64 * 1024)) {
        if (error)
            *error = "cannot read the identity of " + node;
        return false;
    }
    std::istringstream lines(text);
    std::string line;
    bool found = false;
    while (std::getline(lines, line)) {
        unsigned bus = 0, vendor = 0, product = 0;
        if (std::sscanf(line.c_str(), "HID_ID=%x:%x:%x", &bus, &vendor, &product) == 3) {
            info->vendorId = static_cast<uint16_t>(vendor);
            info->productId = static_cast<uint16_t>(product);
            found = true;
            break;
        }
    }
    if (!found) {
        if (error)
            *error = "no HID_ID for " + node;
        return false;
    }
    // The USB device sits two levels above the HID device (past the USB interface).
    unsigned version = 0;
    if (ReadFile(device + "/../../bcdDevice", &text, 64) &&
        std::sscanf(text.c_str(), "%x", &version) == 1)
        info->version = static_cast<uint16_t>(version);
    else
        info->version = 0;
    return true;
}

}  // namespace ravo::platform
