#pragma once

#include "virtualbus/VirtualKeyboardState.h"

#include <QString>

#include <functional>
#include <memory>
#include <mutex>

namespace ravo::virt {

// The memory of one virtual keyboard, shared by its cable and receiver links. With a state
// file it behaves like flash: it is read when the keyboard is made and written (atomically)
// whenever the keyboard has taken a change, so the next process finds it.
class VirtualKeyboardMemory {
public:
    explicit VirtualKeyboardMemory(VirtualKeyboardState state = VirtualKeyboardState::Defaults());
    // Keeps what was not saved yet.
    ~VirtualKeyboardMemory();
    VirtualKeyboardMemory(const VirtualKeyboardMemory&) = delete;
    VirtualKeyboardMemory& operator=(const VirtualKeyboardMemory&) = delete;

    // The memory kept in `path`: its state when the file holds a valid one, else the factory
    // state (a malformed file is left alone until the keyboard first saves over it).
    static std::shared_ptr<VirtualKeyboardMemory> FromStateFile(const QString& path);

    // RAVO_TKL_VIRTUAL_STATE when set, else $XDG_STATE_HOME (or ~/.local/state) +
    // "/RAVO TKL RGB/virtual-keyboard.json".
    static QString DefaultStateFilePath();

    VirtualKeyboardState Snapshot() const;
    // Changes the state under the memory's lock; the change is saved like a keyboard's own.
    void Edit(const std::function<void(VirtualKeyboardState&)>& change);
    // For the firmware: runs `access` under the lock; `changed` marks unsaved changes.
    void Access(const std::function<void(VirtualKeyboardState&, bool& changed)>& access);

    QString StateFile() const { return m_stateFile; }
    // Writes unsaved changes to the state file (no-op without one). False with a reason when
    // the file could not be written.
    bool Flush(QString* error = nullptr);

private:
    bool SaveLocked(QString* error);

    const QString m_stateFile;  // fixed at construction
    mutable std::mutex m_mutex;
    VirtualKeyboardState m_state;  // guarded by m_mutex
    bool m_dirty = false;          // guarded by m_mutex

    VirtualKeyboardMemory(VirtualKeyboardState state, QString stateFile);
};

}  // namespace ravo::virt
