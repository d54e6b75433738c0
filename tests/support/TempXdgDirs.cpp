#include "tests/support/TempXdgDirs.h"

#include <QDir>

namespace ravo::test {

namespace {
const char* const kVariables[][2] = {
    {"XDG_DATA_HOME", "data"},
    {"XDG_CONFIG_HOME", "config"},
    {"XDG_STATE_HOME", "state"},
    {"XDG_CACHE_HOME", "cache"},
};
}

TempXdgDirs::TempXdgDirs() {
    for (const auto& [name, sub] : kVariables) {
        m_wasSet[name] = qEnvironmentVariableIsSet(name);
        m_saved[name] = qgetenv(name);
        const QString path = m_dir.path() + "/" + sub;
        QDir().mkpath(path);
        qputenv(name, path.toLocal8Bit());
    }
}

TempXdgDirs::~TempXdgDirs() {
    for (const auto& [name, sub] : kVariables) {
        (void)sub;
        if (m_wasSet[name])
            qputenv(name, m_saved[name]);
        else
            qunsetenv(name);
    }
}

}  // namespace ravo::test
