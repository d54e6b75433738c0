#include "profile/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>

namespace ravo {

namespace {

QMutex& OverrideLock() {
    static QMutex lock;
    return lock;
}
QString& ProgramDataOverride() {  // guarded by OverrideLock()
    static QString folder;
    return folder;
}

QString WithSlash(QString path) {
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

QString ExecutableFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

}  // namespace

QString UserDataFolder() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    const QString folder = WithSlash(base) + QLatin1String(kProductFolderName) + QLatin1Char('/');
    QDir().mkpath(folder);
    return folder;
}

QString DeviceUserFolder(const QString& deviceFolderName) {
    const QString folder = UserDataFolder() + deviceFolderName + QLatin1Char('/');
    QDir().mkpath(folder);
    return folder;
}

QString ProgramDataFolder() {
    {
        QMutexLocker locker(&OverrideLock());
        if (!ProgramDataOverride().isEmpty())
            return ProgramDataOverride();
    }
    const QString beside = ExecutableFolder() + QStringLiteral("/DefaultData/");
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(ExecutableFolder() + QStringLiteral("/../share/ravo-tkl-rgb/DefaultData")) +
        QLatin1Char('/');
    if (QFileInfo(installed).isDir())
        return installed;
    return beside;
}

void SetProgramDataFolder(const QString& folder) {
    QMutexLocker locker(&OverrideLock());
    ProgramDataOverride() = folder.isEmpty() ? QString() : WithSlash(folder);
}

QString DefaultProfilePathFor(const QString& deviceFolderName) {
    return ProgramDataFolder() + deviceFolderName + QStringLiteral(".Json");
}

}  // namespace ravo
