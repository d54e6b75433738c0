#pragma once

#include "profile/JsonFiles.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <json/value.h>

#include <string>

// Small file helpers shared by the profile tests.
namespace ravo::test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

inline Json::Value Parse(const std::string& text) {
    return ParseJsonText(text);
}

}  // namespace ravo::test
