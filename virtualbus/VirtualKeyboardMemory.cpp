#include "virtualbus/VirtualKeyboardMemory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSaveFile>

namespace ravo::virt {

namespace {
Q_LOGGING_CATEGORY(lcVirtualKeyboard, "ravo.virtual.keyboard", QtWarningMsg)
constexpr qint64 kMaxStateFileBytes = 1 << 20;
}  // namespace

VirtualKeyboardMemory::VirtualKeyboardMemory(VirtualKeyboardState state)
    : VirtualKeyboardMemory(std::move(state), QString()) {}

VirtualKeyboardMemory::VirtualKeyboardMemory(VirtualKeyboardState state, QString stateFile)
    : m_stateFile(std::move(stateFile)), m_state(std::move(state)) {}

VirtualKeyboardMemory::~VirtualKeyboardMemory() {
    Flush(nullptr);
}

std::shared_ptr<VirtualKeyboardMemory> VirtualKeyboardMemory::FromStateFile(const QString& path) {
    VirtualKeyboardState state = VirtualKeyboardState::Defaults();
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            qCWarning(lcVirtualKeyboard, "cannot read the virtual keyboard state %s: %s",
                      qUtf8Printable(path), qUtf8Printable(file.errorString()));
        } else if (file.size() > kMaxStateFileBytes ||
                   !state.Parse(file.read(kMaxStateFileBytes))) {
            state = VirtualKeyboardState::Defaults();
            qCWarning(lcVirtualKeyboard,
                      "the virtual keyboard state %s is not valid; using the "
                      "factory state",
                      qUtf8Printable(path));
        }
    }
    return std::shared_ptr<VirtualKeyboardMemory>(new VirtualKeyboardMemory(state, path));
}

QString VirtualKeyboardMemory::DefaultStateFilePath() {
    const QString explicitPath = qEnvironmentVariable("RAVO_TKL_VIRTUAL_STATE");
    if (!explicitPath.isEmpty())
        return explicitPath;
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/RAVO TKL RGB/virtual-keyboard.json");
}

VirtualKeyboardState VirtualKeyboardMemory::Snapshot() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

void VirtualKeyboardMemory::Edit(const std::function<void(VirtualKeyboardState&)>& change) {
    std::lock_guard<std::mutex> lock(m_mutex);
    change(m_state);
    m_dirty = true;
    SaveLocked(nullptr);
}

void VirtualKeyboardMemory::Access(
    const std::function<void(VirtualKeyboardState&, bool& changed)>& access) {
    std::lock_guard<std::mutex> lock(m_mutex);
    bool changed = false;
    access(m_state, changed);
    if (changed)
        m_dirty = true;
}

bool VirtualKeyboardMemory::Flush(QString* error) {
    std::lock_guard<std::mutex> lock(m_mutex);
    return SaveLocked(error);
}

bool VirtualKeyboardMemory::SaveLocked(QString* error) {
    if (m_stateFile.isEmpty() || !m_dirty)
        return true;
    const QFileInfo info(m_stateFile);
    if (!QDir().mkpath(info.absolutePath())) {
        if (error != nullptr)
            *error = QStringLiteral("cannot create %1").arg(info.absolutePath());
        return false;
    }
    QSaveFile file(m_stateFile);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error != nullptr)
            *error = file.errorString();
        qCWarning(lcVirtualKeyboard, "cannot write %s: %s", qUtf8Printable(m_stateFile),
                  qUtf8Printable(file.errorString()));
        return false;
    }
    const QByteArray bytes = m_state.Serialize();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error != nullptr)
            *error = file.errorString();
        qCWarning(lcVirtualKeyboard, "cannot write %s: %s", qUtf8Printable(m_stateFile),
                  qUtf8Printable(file.errorString()));
        return false;
    }
    m_dirty = false;
    return true;
}

}  // namespace ravo::virt
