#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ravo::platform {

// Interface paths of hidraw nodes in the Windows form the rest of the program parses:
//   \\?\hid#vid_320f&pid_5078&mi_01&col04#hidraw3#{4d1e55b2-f16f-11cf-88cb-001111000030}
// interfaceNumber < 0 leaves out "&mi_"; collection 0 leaves out "&col" (single collection).
std::string MakeHidrawInterfacePath(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                                    unsigned collection, std::string_view node);

// The node name ("hidraw3") a path of that form names, or empty when it names none.
std::string HidrawNodeOfPath(std::string_view path);

}  // namespace ravo::platform
