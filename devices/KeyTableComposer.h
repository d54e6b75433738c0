#pragma once

#include "devices/KeyAssignmentPair.h"
#include "devices/KeyboardKeyMap.h"

#include <vector>

namespace ravo {

// Builds the key table the keyboard is sent: the table read from it, with each mapped key's
// assignment at its position. Macro assignments are renumbered to the macro's place among
// the macros actually used (the order CollectAssignedMacros gives); an assignment to a macro
// that no longer exists is written, and left in `keys`, as the key's default.
//
// `keyCount` is what the keyboard reports now. Returns the number of image bytes to send
// (keyCount x 3), or 0 when that count does not fit the image: such a table is not written.
// Positions at or beyond keyCount are skipped.
int ComposeKeyTable(const KeyTableImage& readTable, int keyCount, const KeyboardKeyMap& map,
                    std::vector<KeyAssignmentPair>& keys, int macroCount, KeyTableImage& image);

}  // namespace ravo
