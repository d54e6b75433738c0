#include "app/toolkit/UiThread.h"

namespace ravo::ui::detail {

std::mutex& PostMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace ravo::ui::detail
