#include "devices/MacroImage.h"

namespace ravo {
namespace {

void Put16(std::vector<uint8_t>& image, size_t at, size_t value) {
    image[at] = static_cast<uint8_t>(value & 0xFF);
    image[at + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

size_t MacroImageSize(const std::vector<size_t>& eventCounts) {
    size_t total = kMacroImageHeaderBytes;
    for (size_t events : eventCounts) {
        total += 6 + 4 * events;
    }
    return total;
}

int MacroOverflow(size_t size, size_t capacity) {
    if (size <= capacity) {
        return 0;
    }
    const size_t over = (size - capacity) / 4 + 1;
    return over > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(over);
}

bool BuildMacroImage(const std::vector<std::vector<MacroEventBytes>>& macros,
                     std::vector<uint8_t>& image) {
    image.clear();
    std::vector<size_t> counts;
    counts.reserve(macros.size());
    for (const auto& macro : macros) {
        counts.push_back(macro.size());
    }
    const size_t total = MacroImageSize(counts);
    if (total > 0xFFFF || macros.size() > 0xFFFF) {
        return false;
    }
    image.assign(total, 0);
    Put16(image, 0, kMacroImageMarker);
    Put16(image, 2, total);
    Put16(image, 4, macros.size());
    size_t block = kMacroImageHeaderBytes + 2 * macros.size();
    for (size_t m = 0; m < macros.size(); ++m) {
        Put16(image, kMacroImageHeaderBytes + 2 * m, block);
        Put16(image, block, macros[m].size());
        size_t at = block + 4;
        for (const MacroEventBytes& event : macros[m]) {
            for (uint8_t byte : event) {
                image[at++] = byte;
            }
        }
        block = at;
    }
    return true;
}

}  // namespace ravo
