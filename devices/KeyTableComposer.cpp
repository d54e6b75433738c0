#include "devices/KeyTableComposer.h"

#include <algorithm>

namespace ravo {

int ComposeKeyTable(const KeyTableImage& readTable, int keyCount, const KeyboardKeyMap& map,
                    std::vector<KeyAssignmentPair>& keys, int macroCount, KeyTableImage& image) {
    image.fill(0);
    if (keyCount < 0 || keyCount > kMaxKeyTableEntries) {
        return 0;
    }
    const size_t bytes = static_cast<size_t>(keyCount) * 3;
    std::copy_n(readTable.begin(), bytes, image.begin());

    std::vector<int> used;
    const size_t n = std::min(keys.size(), static_cast<size_t>(kKeyboardKeyNumbers));
    for (size_t key = 0; key < n; ++key) {
        const uint8_t position = map.Position(static_cast<int>(key));
        if (position == kNoKeyMapEntry || position >= keyCount) {
            continue;
        }
        KeyCodeBytes& code = keys[key].current;
        if (IsMacroCode(code)) {
            if (code.p1 < macroCount) {
                auto it = std::find(used.begin(), used.end(), code.p1);
                if (it == used.end()) {
                    it = used.insert(used.end(), code.p1);
                }
                code.p1 = static_cast<uint8_t>(it - used.begin());
            } else {
                code = keys[key].fallback;
            }
        }
        const size_t at = static_cast<size_t>(position) * 3;
        image[at] = code.type;
        image[at + 1] = code.p1;
        image[at + 2] = code.p2;
    }
    return static_cast<int>(bytes);
}

}  // namespace ravo
