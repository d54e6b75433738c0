#include "devices/FunctionPageTabs.h"

namespace ravo {

FunctionPageTabs TabsForFunctionPage(int page, int deviceKind) {
    switch (page) {
        case 1:
            return {0, 0};
        case 2:
        case 6:
            return {0, 1};
        case 3:
        case 8:
            return {1, -1};
        case 4:
            if (deviceKind == 1 || deviceKind == 2) {
                return {3, -1};
            }
            return {0, 2};
        case 5:
            return {2, -1};
        case 7:
            return {0, 2};
        default:
            return {0, 0};
    }
}

}  // namespace ravo
