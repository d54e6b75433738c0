#pragma once

#include <QDBusConnection>
#include <QObject>

#include <functional>

namespace ravo {

// Suspend and resume of the machine, from logind's PrepareForSleep signal on the system bus.
// Without a system bus (or logind) nothing is reported.
class CSleepWatcher : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(bool suspending)>;

    explicit CSleepWatcher(Handler handler, QObject* parent = nullptr);
    // Listens on `connection` (the system bus by default); false when it is not connected.
    bool Start(QDBusConnection connection = QDBusConnection::systemBus());

public Q_SLOTS:
    void OnPrepareForSleep(bool start);

private:
    Handler m_handler;
};

}  // namespace ravo
