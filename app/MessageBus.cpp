#include "app/MessageBus.h"

#include "app/RegisteredMessages.h"

#include <QDBusMessage>
#include <QLoggingCategory>

namespace ravo {

Q_LOGGING_CATEGORY(lcMessageBus, "ravo.messages", QtWarningMsg)

CMessageBus::CMessageBus(QDBusConnection connection, QObject* parent)
    : QObject(parent), m_connection(std::move(connection)) {}

CMessageBus::~CMessageBus() {
    Close();
}

bool CMessageBus::Open(QString* error) {
    if (m_open)
        return true;
    if (!m_connection.isConnected()) {
        if (error != nullptr)
            *error = QStringLiteral("no session bus: %1").arg(m_connection.lastError().message());
        return false;
    }
    if (!m_connection.registerObject(
            QString::fromUtf8(kObjectPath), this,
            QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals)) {
        if (error != nullptr)
            *error = QStringLiteral("cannot publish %1 on the session bus").arg(kObjectPath);
        return false;
    }
    // Broadcasts from every sender, ourselves included.
    m_connection.connect(QString(), QString(), QString::fromUtf8(kInterface),
                         QStringLiteral("Broadcast"), this,
                         SLOT(OnBroadcast(QString, qulonglong, qlonglong)));
    m_open = true;
    return true;
}

void CMessageBus::Close() {
    if (!m_open)
        return;
    m_connection.disconnect(QString(), QString(), QString::fromUtf8(kInterface),
                            QStringLiteral("Broadcast"), this,
                            SLOT(OnBroadcast(QString, qulonglong, qlonglong)));
    m_connection.unregisterObject(QString::fromUtf8(kObjectPath));
    m_open = false;
}

bool CMessageBus::BroadcastMessage(const QString& name, quintptr wParam, qintptr lParam) {
    if (!m_connection.isConnected())
        return false;
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromUtf8(kObjectPath), QString::fromUtf8(kInterface), QStringLiteral("Broadcast"));
    signal << name << static_cast<qulonglong>(wParam) << static_cast<qlonglong>(lParam);
    return m_connection.send(signal);
}

bool CMessageBus::PostTo(const QString& service, const QString& name, quintptr wParam,
                         qintptr lParam, int timeoutMs) {
    if (!m_connection.isConnected())
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, QString::fromUtf8(kObjectPath),
                                       QString::fromUtf8(kInterface), QStringLiteral("Post"));
    call << name << static_cast<qulonglong>(wParam) << static_cast<qlonglong>(lParam);
    const QDBusMessage reply = m_connection.call(call, QDBus::Block, timeoutMs);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        qCDebug(lcMessageBus) << "post" << name << "to" << service
                              << "failed:" << reply.errorMessage();
        return false;
    }
    return true;
}

bool CMessageBus::CopyDataTo(const QString& service, unsigned dataId, const QByteArray& data,
                             int timeoutMs) {
    if (!m_connection.isConnected())
        return false;
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, QString::fromUtf8(kObjectPath),
                                       QString::fromUtf8(kInterface), QStringLiteral("CopyData"));
    call << static_cast<uint>(dataId) << data;
    const QDBusMessage reply = m_connection.call(call, QDBus::Block, timeoutMs);
    return reply.type() != QDBusMessage::ErrorMessage;
}

void CMessageBus::Post(const QString& name, qulonglong wParam, qlonglong lParam) {
    Deliver(name, static_cast<quintptr>(wParam), static_cast<qintptr>(lParam));
}

void CMessageBus::CopyData(uint dataId, const QByteArray& data) {
    qCDebug(lcMessageBus) << "copy-data" << dataId << data.size() << "bytes";
    if (m_onCopyData)
        m_onCopyData(dataId, data);
}

void CMessageBus::OnBroadcast(const QString& name, qulonglong wParam, qlonglong lParam) {
    Deliver(name, static_cast<quintptr>(wParam), static_cast<qintptr>(lParam));
}

void CMessageBus::Deliver(const QString& name, quintptr wParam, qintptr lParam) {
    const unsigned id = CRegisteredMessages::Instance().Find(name);
    qCDebug(lcMessageBus) << "message" << name << wParam << lParam << (id != 0 ? "" : "(ignored)");
    if (id != 0 && m_onMessage)
        m_onMessage(id, wParam, lParam);
}

}  // namespace ravo
