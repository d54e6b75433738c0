#pragma once

namespace ravo {

// Which pages of the two function tab layouts a function page number selects; -1 leaves
// that tab layout as it is.
struct FunctionPageTabs {
    int functionTab = 0;
    int keyFunctionTab = 0;
};

// `deviceKind` is the catalogue's type code (1 wired keyboard, 2 wired mouse, ...).
FunctionPageTabs TabsForFunctionPage(int page, int deviceKind);

}  // namespace ravo
