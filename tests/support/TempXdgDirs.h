#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <map>

namespace ravo::test {

// Points the XDG folders at a fresh temporary folder for the lifetime of the object and
// restores the previous values afterwards.
class TempXdgDirs {
public:
    TempXdgDirs();
    ~TempXdgDirs();
    TempXdgDirs(const TempXdgDirs&) = delete;
    TempXdgDirs& operator=(const TempXdgDirs&) = delete;

    QString root() const { return m_dir.path(); }
    QString dataHome() const { return m_dir.path() + "/data"; }
    QString configHome() const { return m_dir.path() + "/config"; }
    QString stateHome() const { return m_dir.path() + "/state"; }

private:
    QTemporaryDir m_dir;
    std::map<QByteArray, QByteArray> m_saved;  // variable -> previous value ("" when unset)
    std::map<QByteArray, bool> m_wasSet;
};

}  // namespace ravo::test
