#include "app/PrivateFonts.h"

#include "app/StartupLog.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>

namespace ravo {

CPrivateFonts::~CPrivateFonts() {
    Unload();
}

int CPrivateFonts::Load(const QString& programDir) {
    Unload();
    int loaded = 0;
    for (size_t i = 0; i < kFiles.size(); ++i) {
        // The whole folder path is used, however long it is.
        QFile file(QDir(programDir).filePath(QString::fromUtf8(kFiles[i])));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        if (bytes.isEmpty())
            continue;
        m_ids[i] = QFontDatabase::addApplicationFontFromData(bytes);
        if (m_ids[i] >= 0)
            ++loaded;
        qCInfo(lcStartup) << "font" << kFiles[i] << (m_ids[i] >= 0 ? "added" : "not usable");
    }
    return loaded;
}

void CPrivateFonts::Unload() {
    for (size_t i = m_ids.size(); i-- > 0;) {
        if (m_ids[i] >= 0)
            QFontDatabase::removeApplicationFont(m_ids[i]);
        m_ids[i] = -1;
    }
}

}  // namespace ravo
