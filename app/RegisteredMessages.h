#pragma once

#include <QString>
#include <QStringList>

#include <mutex>
#include <unordered_map>

namespace ravo {

// The product title: caption of the main window, name of the activation message and of the
// single instance.
inline constexpr const char* kProductTitle = "RAVO TKL RGB";

// Names of the messages exchanged with other programs. A message travels by its name; each
// process numbers the names it registers (the same name gives the same number).
namespace msgname {
inline constexpr const char* kInstance = kProductTitle;
inline constexpr const char* kSettingsRelay = "{4695579F-999A-41d4-9FAF-EFFCE93EBF15}";
inline constexpr const char* kLightControlNotify = "{4695579F-999A-41d4-9FAF-EFFCE93EBF16}";
inline constexpr const char* kLightControlSet = "{4695579F-999A-41d4-9FAF-EFFCE93EBF17}";
inline constexpr const char* kDeviceReport = "{4695579F-999A-41d4-9FAF-EFFCE93EBF18}";
// The last group really ends in EBE19.
inline constexpr const char* kAudioCapture = "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}";
}  // namespace msgname

// Hook, mouse and game message names registered when the process starts.
QStringList ProcessStartMessageNames();

// Process-wide numbering of message names, like the system's registered-message service.
// Thread-safe.
class CRegisteredMessages {
public:
    static CRegisteredMessages& Instance();

    // The number of `name`, assigned on first registration (0xC000 upwards); 0 for "".
    unsigned Register(const QString& name);
    // 0 when `name` was never registered.
    unsigned Find(const QString& name) const;
    // "" for a number that belongs to no name.
    QString NameOf(unsigned id) const;

private:
    mutable std::mutex m_mutex;
    std::unordered_map<QString, unsigned> m_ids;    // guarded by m_mutex
    std::unordered_map<unsigned, QString> m_names;  // guarded by m_mutex
};

// The numbers the windows use, filled by RegisterProgramMessages.
struct ProgramMessages {
    unsigned InstanceMessage = 0;
    unsigned SettingsRelayMessage = 0;
    unsigned LightControlNotifyMessage = 0;
    unsigned LightControlSetMessage = 0;
    unsigned DeviceReportMessage = 0;
    unsigned AudioCaptureMessage = 0;
};

// Registers every name of the program in start-up order (process-start names, the activation
// message, then the five GUID names) and returns the numbers. Registering again gives the
// same numbers.
const ProgramMessages& RegisterProgramMessages();
const ProgramMessages& Messages();

}  // namespace ravo
