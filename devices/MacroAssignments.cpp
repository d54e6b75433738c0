#include "devices/MacroAssignments.h"

#include <algorithm>

namespace ravo {

std::vector<int> CollectAssignedMacros(const std::vector<KeyAssignmentPair>& keys,
                                       const KeyboardKeyMap& map, int macroCount) {
    std::vector<int> used;
    const size_t n = std::min(keys.size(), static_cast<size_t>(kKeyboardKeyNumbers));
    for (size_t key = 0; key < n; ++key) {
        if (!map.HasPosition(static_cast<int>(key))) {
            continue;
        }
        const KeyCodeBytes& code = keys[key].current;
        if (!IsMacroCode(code) || code.p1 >= macroCount) {
            continue;
        }
        if (std::find(used.begin(), used.end(), code.p1) == used.end()) {
            used.push_back(code.p1);
        }
    }
    return used;
}

bool RepairMacroAssignments(std::vector<KeyAssignmentPair>& keys, int macroCount) {
    bool changed = false;
    for (KeyAssignmentPair& key : keys) {
        if (IsMacroCode(key.current) && key.current.p1 >= macroCount) {
            key.current = key.fallback;
            changed = true;
        }
    }
    return changed;
}

}  // namespace ravo
