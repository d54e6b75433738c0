#include "platform/hid/HidrawPaths.h"

#include <cctype>
#include <cstdio>

namespace ravo::platform {

namespace {
constexpr std::string_view kPrefix = "\\\\?\\hid#";
constexpr std::string_view kNodeMarker = "#hidraw";
constexpr std::string_view kClassSuffix = "#{4d1e55b2-f16f-11cf-88cb-001111000030}";
}  // namespace

std::string MakeHidrawInterfacePath(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                                    unsigned collection, std::string_view node) {
    char ids[64];
    std::snprintf(ids, sizeof ids, "vid_%04x&pid_%04x", vendorId, productId);
    std::string path(kPrefix);
    path += ids;
    if (interfaceNumber >= 0) {
        std::snprintf(ids, sizeof ids, "&mi_%02x", static_cast<unsigned>(interfaceNumber) & 0xFF);
        path += ids;
    }
    if (collection != 0) {
        std::snprintf(ids, sizeof ids, "&col%02x", collection & 0xFF);
        path += ids;
    }
    path += '#';
    path += node;
    path += kClassSuffix;
    return path;
}

std::string HidrawNodeOfPath(std::string_view path) {
    if (path.substr(0, kPrefix.size()) != kPrefix)
        return {};
    const size_t at = path.find(kNodeMarker);
    if (at == std::string_view::npos)
        return {};
    size_t end = at + kNodeMarker.size();
    const size_t digits = end;
    while (end < path.size() && std::isdigit(static_cast<unsigned char>(path[end])))
        ++end;
    // Only "hidraw" and digits, followed by the class part: nothing else reaches the file system.
    if (end == digits || end - digits > 6 || path.substr(end) != kClassSuffix)
        return {};
    return std::string(path.substr(at + 1, end - at - 1));
}

}  // namespace ravo::platform
