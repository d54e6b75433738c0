#pragma once

#include <QString>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

// Ways to make a real write fail in a test, also when the tests run as root.
namespace ravo::test {

// While alive, this thread's file accesses run as an unprivileged user when the process is
// root (root would otherwise write into read-only folders). active() is false when that could
// not be arranged.
class UnprivilegedFileAccess {
public:
    UnprivilegedFileAccess() {
        if (geteuid() != 0) {
            m_active = true;
            return;
        }
        setfsuid(kNobody);
        m_switched = setfsuid(static_cast<uid_t>(-1)) == kNobody;
        m_active = m_switched;
    }
    ~UnprivilegedFileAccess() {
        if (m_switched)
            setfsuid(0);
    }
    UnprivilegedFileAccess(const UnprivilegedFileAccess&) = delete;
    UnprivilegedFileAccess& operator=(const UnprivilegedFileAccess&) = delete;
    bool active() const { return m_active; }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_switched = false;
    bool m_active = false;
};

// Makes a folder readable and searchable by everyone but writable by nobody but its owner.
inline void MakeReadOnlyFolder(const QString& folder) {
    chmod(folder.toLocal8Bit().constData(), 0555);
}
inline void MakeWritableFolder(const QString& folder) {
    chmod(folder.toLocal8Bit().constData(), 0755);
}

// While alive, writing a file past `bytes` fails with EFBIG (the signal is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace ravo::test
