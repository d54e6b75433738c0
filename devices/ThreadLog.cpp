#include "devices/ThreadLog.h"

#include <QString>

namespace ravo {

Q_LOGGING_CATEGORY(lcThreads, "ravo.threads")

void ThreadDebugLine(const char* utf8Text) {
    qCDebug(lcThreads).noquote() << QString::fromUtf8(utf8Text);
}

}  // namespace ravo
