#pragma once

#include "app/NotifyRouter.h"

#include <string_view>
#include <vector>

namespace ravo {

// The type string under which toolkit menu clicks (tray menu, macro action menu) are routed.
inline constexpr std::string_view kMenuCommandType = "menucommand";

// The main window's routing tables, in the order they are tried.
std::vector<NotifyTable> MainNotifyRoutes();

}  // namespace ravo
