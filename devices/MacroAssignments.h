#pragma once

#include "devices/KeyAssignmentPair.h"
#include "devices/KeyboardKeyMap.h"

#include <vector>

namespace ravo {

// The macro indices the keyboard's keys use, in the order macros are numbered on the
// keyboard: by the first key number (that has a key table position) using each. Indices at
// or beyond `macroCount` name deleted macros and are left out.
std::vector<int> CollectAssignedMacros(const std::vector<KeyAssignmentPair>& keys,
                                       const KeyboardKeyMap& map, int macroCount);

// Gives every key assigned to a macro index at or beyond `macroCount` its default back.
// Returns whether anything changed.
bool RepairMacroAssignments(std::vector<KeyAssignmentPair>& keys, int macroCount);

}  // namespace ravo
