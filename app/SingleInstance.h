#pragma once

#include <QDBusConnection>
#include <QLockFile>
#include <QString>

#include <memory>

namespace ravo {

// Makes sure one copy of the program runs per session: the first copy owns the program's
// name on the session bus; where there is no bus, a lock file in the runtime folder stands in.
class CSingleInstance {
public:
    enum class Role { First, Second };

    explicit CSingleInstance(QDBusConnection connection = QDBusConnection::sessionBus(),
                             QString serviceName = QString(), QString lockPath = QString());
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Claims the instance. A failure to claim for any other reason than a running copy counts
    // as first (the program still runs, only without the guard).
    Role Claim();
    // Whether the claim went through the bus (false: lock file, or not claimed).
    bool UsesBus() const { return m_ownsName; }
    // Gives the name or the lock back.
    void Release();

    QString ServiceName() const { return m_service; }
    static QString DefaultLockPath();

private:
    QDBusConnection m_connection;
    QString m_service;
    QString m_lockPath;
    bool m_ownsName = false;
    std::unique_ptr<QLockFile> m_lock;
};

}  // namespace ravo
