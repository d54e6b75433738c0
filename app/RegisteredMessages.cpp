#include "app/RegisteredMessages.h"

namespace ravo {

namespace {
constexpr unsigned kFirstId = 0xC000;

ProgramMessages& Storage() {
    static ProgramMessages messages;
    return messages;
}
}  // namespace

QStringList ProcessStartMessageNames() {
    return {
        QStringLiteral("WM_HOOK_KEY_SINGLEKEY_MSG"),
        QStringLiteral("WM_HOOK_KEY_HITKEY_MSG"),
        QStringLiteral("WM_HOOK_KEY_KBMACRO_MSG"),
        QStringLiteral("WM_HOOK_KEY_MSMACRO_MSG"),
        QStringLiteral("WM_HOOK_KEY_KBMACROSINGLE_MSG"),
        QStringLiteral("WM_HOOK_KEY_KBMACROPREVIOUS_MSG"),
        QStringLiteral("WM_HOOK_KEY_KBMACROLATER_MSG"),
        QStringLiteral("WM_HOOK_MOU_SINGLEKEY_MSG"),
        QStringLiteral("WM_HOOK_MOU_HITKEY_MSG"),
        QStringLiteral("WM_HOOK_MOU_KBMACRO_MSG"),
        QStringLiteral("WM_HOOK_MOU_MSMACRO_MSG"),
        QStringLiteral("WM_HOOK_KEY_MSMACROSINGLE_MSG"),
        QStringLiteral("WM_HOOK_KEY_MSMACROPREVIOUS_MSG"),
        QStringLiteral("WM_HOOK_KEY_MSMACROLATER_MSG"),
        QStringLiteral("UWM_MOUSERBUTTONDOWN_USER_MSG"),
        QStringLiteral("UWM_MOUSELBUTTONUP_USER_MSG"),
        QStringLiteral("UWM_MOUSELBUTTONDOWN_USER_MSG"),
        QStringLiteral("UWM_MOUSERBUTTONUP_USER_MSG"),
        QStringLiteral("UWM_MOUSEMOVE_USER_MSG"),
        QStringLiteral("Game_Start"),
        QStringLiteral("Game_End"),
        QStringLiteral("Game_Kill"),
        QStringLiteral("Game_Death"),
    };
}

CRegisteredMessages& CRegisteredMessages::Instance() {
    static CRegisteredMessages messages;
    return messages;
}

unsigned CRegisteredMessages::Register(const QString& name) {
    if (name.isEmpty())
        return 0;
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_ids.find(name);
    if (it != m_ids.end())
        return it->second;
    const unsigned id = kFirstId + static_cast<unsigned>(m_ids.size());
    m_ids.emplace(name, id);
    m_names.emplace(id, name);
    return id;
}

unsigned CRegisteredMessages::Find(const QString& name) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_ids.find(name);
    return it != m_ids.end() ? it->second : 0;
}

QString CRegisteredMessages::NameOf(unsigned id) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = m_names.find(id);
    return it != m_names.end() ? it->second : QString();
}

const ProgramMessages& RegisterProgramMessages() {
    CRegisteredMessages& registry = CRegisteredMessages::Instance();
    for (const QString& name : ProcessStartMessageNames())
        registry.Register(name);
    ProgramMessages& m = Storage();
    m.InstanceMessage = registry.Register(QString::fromUtf8(msgname::kInstance));
    m.SettingsRelayMessage = registry.Register(QString::fromUtf8(msgname::kSettingsRelay));
    m.LightControlNotifyMessage =
        registry.Register(QString::fromUtf8(msgname::kLightControlNotify));
    m.LightControlSetMessage = registry.Register(QString::fromUtf8(msgname::kLightControlSet));
    m.DeviceReportMessage = registry.Register(QString::fromUtf8(msgname::kDeviceReport));
    m.AudioCaptureMessage = registry.Register(QString::fromUtf8(msgname::kAudioCapture));
    return m;
}

const ProgramMessages& Messages() {
    return Storage();
}

}  // namespace ravo
