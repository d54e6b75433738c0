#pragma once

// Debug lines of the device worker threads (category "ravo.threads", on the debug stream).

#include <QLoggingCategory>

namespace ravo {

Q_DECLARE_LOGGING_CATEGORY(lcThreads)

void ThreadDebugLine(const char* utf8Text);

}  // namespace ravo
