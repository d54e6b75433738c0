#include "app/SingleInstance.h"

#include "app/MessageBus.h"
#include "app/StartupLog.h"

#include <QDBusConnectionInterface>
#include <QDir>
#include <QStandardPaths>

namespace ravo {

CSingleInstance::CSingleInstance(QDBusConnection connection, QString serviceName, QString lockPath)
    : m_connection(std::move(connection)),
      m_service(serviceName.isEmpty() ? QString::fromUtf8(CMessageBus::kServiceName)
                                      : std::move(serviceName)),
      m_lockPath(lockPath.isEmpty() ? DefaultLockPath() : std::move(lockPath)) {}

CSingleInstance::~CSingleInstance() {
    Release();
}

QString CSingleInstance::DefaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/ravo-tkl-rgb.lock");
}

CSingleInstance::Role CSingleInstance::Claim() {
    if (m_connection.isConnected() && m_connection.interface() != nullptr) {
        const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
            m_connection.interface()->registerService(
                m_service, QDBusConnectionInterface::DontQueueService,
                QDBusConnectionInterface::DontAllowReplacement);
        if (reply.isValid()) {
            if (reply.value() == QDBusConnectionInterface::ServiceRegistered) {
                m_ownsName = true;
                return Role::First;
            }
            return Role::Second;
        }
        qCWarning(lcStartup) << "cannot claim" << m_service
                             << "on the session bus:" << reply.error().message()
                             << "- using a lock file";
    }
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    m_lock->setStaleLockTime(0);  // a lock whose process is gone is stale; age does not matter
    if (m_lock->tryLock(0))
        return Role::First;
    if (m_lock->error() == QLockFile::LockFailedError)
        return Role::Second;
    qCWarning(lcStartup) << "cannot create the lock file" << m_lockPath << "- running unguarded";
    m_lock.reset();
    return Role::First;
}

void CSingleInstance::Release() {
    if (m_ownsName && m_connection.isConnected() && m_connection.interface() != nullptr)
        m_connection.interface()->unregisterService(m_service);
    m_ownsName = false;
    if (m_lock != nullptr)
        m_lock->unlock();
    m_lock.reset();
}

}  // namespace ravo
