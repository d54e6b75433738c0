#include "app/SleepWatcher.h"

namespace ravo {

CSleepWatcher::CSleepWatcher(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

bool CSleepWatcher::Start(QDBusConnection connection) {
    if (!connection.isConnected())
        return false;
    return connection.connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(OnPrepareForSleep(bool)));
}

void CSleepWatcher::OnPrepareForSleep(bool start) {
    if (m_handler)
        m_handler(start);
}

}  // namespace ravo
