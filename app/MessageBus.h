#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

namespace ravo {

// The program's end of the session bus. Messages to and from other programs travel by name:
// a message posted to this program is the method Post(name, wParam, lParam) on our object; a
// broadcast to every program is the signal Broadcast(name, wParam, lParam); a copy-data block
// is the method CopyData(id, bytes). Received messages whose names this process registered
// (CRegisteredMessages) are handed to the handler by number, on the UI thread; other names are
// ignored. Without a session bus everything here does nothing and reports false.
class CMessageBus : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.ravo.TklRgb.Messages")

public:
    static constexpr const char* kServiceName = "org.ravo.TklRgb";
    static constexpr const char* kObjectPath = "/org/ravo/TklRgb";
    static constexpr const char* kInterface = "org.ravo.TklRgb.Messages";

    using MessageHandler = std::function<void(unsigned message, quintptr wParam, qintptr lParam)>;
    using CopyDataHandler = std::function<void(unsigned dataId, const QByteArray& data)>;

    explicit CMessageBus(QDBusConnection connection = QDBusConnection::sessionBus(),
                         QObject* parent = nullptr);
    ~CMessageBus() override;

    // Publishes our object and listens to broadcasts; false when there is no bus (the reason
    // in `error`).
    bool Open(QString* error = nullptr);
    void Close();
    bool IsOpen() const { return m_open; }
    QDBusConnection Connection() const { return m_connection; }

    void SetMessageHandler(MessageHandler handler) { m_onMessage = std::move(handler); }
    void SetCopyDataHandler(CopyDataHandler handler) { m_onCopyData = std::move(handler); }

    // Sends a broadcast to every program on the bus (this one included).
    bool BroadcastMessage(const QString& name, quintptr wParam, qintptr lParam);
    // Posts a message to the program owning `service`; waits at most `timeoutMs` for the bus
    // to confirm delivery.
    bool PostTo(const QString& service, const QString& name, quintptr wParam, qintptr lParam,
                int timeoutMs = 2000);
    bool CopyDataTo(const QString& service, unsigned dataId, const QByteArray& data,
                    int timeoutMs = 2000);

public Q_SLOTS:
    Q_SCRIPTABLE void Post(const QString& name, qulonglong wParam, qlonglong lParam);
    Q_SCRIPTABLE void CopyData(uint dataId, const QByteArray& data);

Q_SIGNALS:
    Q_SCRIPTABLE void Broadcast(const QString& name, qulonglong wParam, qlonglong lParam);

private Q_SLOTS:
    void OnBroadcast(const QString& name, qulonglong wParam, qlonglong lParam);

private:
    void Deliver(const QString& name, quintptr wParam, qintptr lParam);

    QDBusConnection m_connection;
    bool m_open = false;
    MessageHandler m_onMessage;
    CopyDataHandler m_onCopyData;
};

}  // namespace ravo
