#pragma once

#include <QLoggingCategory>

namespace ravo {
// Start-up and instance diagnostics; silent unless enabled ("ravo.startup.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcStartup)
}  // namespace ravo
