#pragma once

#include "app/toolkit/DuiString.h"

#include <QHash>
#include <QPixmap>
#include <QString>

namespace ravo {

// The skin folder, its resource index ("res.xml": resource names such as "XML_MAIN" mapped to
// files) and the current language's texts. One per process, used on the UI thread only.
//
// res.xml:        <Resources> <Res name="XML_MAIN" file="main.ui"/> ... </Resources>
// language files: <Language name="en"> <Text key="some_key">Some text</Text> ... </Language>
class CResourceManager {
public:
    static CResourceManager& Instance();

    // The folder layouts, images and language files are read from.
    void SetResourcePath(const QString& folder);
    QString GetResourcePath() const { return m_path; }

    // Reads the resource index (a name or path under the resource folder). On failure the
    // previous index stays and `error` says why.
    bool LoadResource(const CDuiString& indexFile, QString* error = nullptr);

    // Full path of a resource name from the index, or of a file name relative to the resource
    // folder (Windows separators accepted). Absolute paths are returned unchanged; "" for "".
    QString ResolvePath(const CDuiString& nameOrFile) const;

    // Language: the name is informational; LoadLanguage replaces the text table (on failure
    // the previous table stays); ReloadText refreshes every resource text shown.
    void SetLanguage(const CDuiString& name) { m_language = name; }
    CDuiString GetLanguage() const { return m_language; }
    bool LoadLanguage(const CDuiString& file, QString* error = nullptr);
    void ReloadText();
    bool HasText(const CDuiString& key) const { return m_texts.contains(key.GetData()); }
    // The current language's text for `key`; `key` itself when the language has none.
    CDuiString GetText(const CDuiString& key) const;

    // Images of the skin folder, cached until ResetImages (e.g. after a DPI change).
    QPixmap GetImage(const CDuiString& file);
    void ResetImages() { m_images.clear(); }

    // Drops the index, texts and images.
    void Release();

private:
    QString m_path;
    QHash<QString, QString> m_index;   // resource name -> file relative to m_path
    QHash<QString, QString> m_texts;   // key -> text of the current language
    QHash<QString, QPixmap> m_images;  // resolved path -> image
    CDuiString m_language;
};

}  // namespace ravo
