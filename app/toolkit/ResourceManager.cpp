#include "app/toolkit/ResourceManager.h"

#include "app/toolkit/ControlOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <functional>

namespace ravo {

namespace {

// Reads a whole small XML file; false with a reason when it is missing or malformed.
bool ReadXml(const QString& path, const QString& rootName,
             const std::function<void(QXmlStreamReader&)>& element, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error != nullptr)
            *error = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return false;
    }
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != rootName) {
        if (error != nullptr)
            *error = QStringLiteral("%1: root element <%2> expected").arg(path, rootName);
        return false;
    }
    while (xml.readNextStartElement())
        element(xml);
    if (xml.hasError()) {
        if (error != nullptr)
            *error =
                QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
}

}  // namespace

CResourceManager& CResourceManager::Instance() {
    static CResourceManager manager;
    return manager;
}

void CResourceManager::SetResourcePath(const QString& folder) {
    m_path = folder;
    if (!m_path.isEmpty() && !m_path.endsWith('/'))
        m_path += '/';
    m_images.clear();
}

bool CResourceManager::LoadResource(const CDuiString& indexFile, QString* error) {
    QHash<QString, QString> index;
    const bool ok = ReadXml(
        ResolvePath(indexFile), QStringLiteral("Resources"),
        [&index](QXmlStreamReader& xml) {
            if (xml.name() == QLatin1String("Res")) {
                const QString name = xml.attributes().value("name").toString();
                const QString file = xml.attributes().value("file").toString();
                if (!name.isEmpty() && !file.isEmpty())
                    index.insert(name, file);
            }
            xml.skipCurrentElement();
        },
        error);
    if (ok)
        m_index = std::move(index);
    return ok;
}

QString CResourceManager::ResolvePath(const CDuiString& nameOrFile) const {
    QString file = nameOrFile.GetData();
    if (file.isEmpty())
        return QString();
    const auto mapped = m_index.constFind(file);
    if (mapped != m_index.constEnd())
        file = *mapped;
    file.replace('\\', '/');
    if (QFileInfo(file).isAbsolute())
        return file;
    return m_path + file;
}

bool CResourceManager::LoadLanguage(const CDuiString& file, QString* error) {
    QHash<QString, QString> texts;
    const bool ok = ReadXml(
        ResolvePath(file), QStringLiteral("Language"),
        [&texts](QXmlStreamReader& xml) {
            if (xml.name() == QLatin1String("Text")) {
                const QString key = xml.attributes().value("key").toString();
                const QString text = xml.readElementText();
                if (!key.isEmpty())
                    texts.insert(key, text);
            } else {
                xml.skipCurrentElement();
            }
        },
        error);
    if (ok)
        m_texts = std::move(texts);
    return ok;
}

void CResourceManager::ReloadText() {
    ui::RefreshResourceTexts(nullptr);
}

CDuiString CResourceManager::GetText(const CDuiString& key) const {
    const auto it = m_texts.constFind(key.GetData());
    return it != m_texts.constEnd() ? CDuiString(*it) : key;
}

QPixmap CResourceManager::GetImage(const CDuiString& file) {
    const QString path = ResolvePath(file);
    if (path.isEmpty())
        return QPixmap();
    const auto it = m_images.constFind(path);
    if (it != m_images.constEnd())
        return *it;
    QPixmap image(path);  // a null pixmap for a missing or unreadable file
    m_images.insert(path, image);
    return image;
}

void CResourceManager::Release() {
    m_index.clear();
    m_texts.clear();
    m_images.clear();
    m_language = CDuiString();
}

}  // namespace ravo
