#include "profile/JsonFiles.h"

#include "profile/ProfileLog.h"

#include <QFile>
#include <QSaveFile>

#include <json/reader.h>
#include <json/writer.h>

#include <exception>
#include <memory>

namespace ravo {

namespace {
// Larger files are not ours; refusing them keeps a stray path from exhausting memory.
constexpr qint64 kMaxJsonFileSize = 64 * 1024 * 1024;
}  // namespace

FileReadResult ReadFileBytes(const QString& path, std::string& bytes, QString* errorText) {
    bytes.clear();
    QFile file(path);
    if (!file.exists()) {
        qCDebug(lcProfile, "readjsonFile 错误吗：：%d", int(QFileDevice::OpenError));
        if (errorText)
            *errorText = QStringLiteral("%1 does not exist").arg(path);
        return FileReadResult::Missing;
    }
    const bool opened = file.open(QIODevice::ReadOnly);
    qCDebug(lcProfile, "readjsonFile 错误吗：：%d", opened ? 0 : int(file.error()));
    if (!opened) {
        if (errorText)
            *errorText = QStringLiteral("cannot open %1: %2").arg(path, file.errorString());
        return FileReadResult::Failed;
    }
    const qint64 size = file.size();
    if (size < 0 || size > kMaxJsonFileSize) {
        if (errorText)
            *errorText = QStringLiteral("%1 is too large").arg(path);
        return FileReadResult::Failed;
    }
    bytes.resize(static_cast<size_t>(size));
    const qint64 got = size == 0 ? 0 : file.read(bytes.data(), size);
    if (got != size) {
        bytes.clear();
        if (errorText)
            *errorText = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return FileReadResult::Failed;
    }
    return FileReadResult::Ok;
}

std::string readjsonFile(const QString& path) {
    std::string bytes;
    if (ReadFileBytes(path, bytes) != FileReadResult::Ok)
        return {};
    return bytes;
}

Json::Value ParseJsonText(std::string_view text) {
    if (text.empty())
        return Json::Value();
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    builder["allowComments"] = true;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value root;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &root, &errors))
            return Json::Value();
    } catch (const std::exception&) {
        // jsoncpp throws on nesting deeper than its stack limit.
        return Json::Value();
    }
    return root;
}

Json::Value LoadJsonFile(const QString& path) {
    const std::string text = readjsonFile(path);
    if (text.empty()) {
        qCDebug(lcProfile) << path;
        return Json::Value();
    }
    return ParseJsonText(text);
}

std::string StyledJsonText(const Json::Value& value) {
    // StyledWriter is the only jsoncpp writer with this exact layout; the builder-made writers
    // differ in detail, and the files should read back byte for byte as they always did.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    Json::StyledWriter writer;
    return writer.write(value);
#pragma GCC diagnostic pop
}

bool WriteJsonFile(const Json::Value& value, const QString& path, QString* errorText) {
    std::string text;
    try {
        text = StyledJsonText(value);
    } catch (const std::exception& e) {
        if (errorText)
            *errorText = QStringLiteral("cannot format %1: %2").arg(path, e.what());
        return false;
    }
    QSaveFile file(path);
    // Unbuffered, so that a failing write is reported by write() itself: QSaveFile does not
    // notice a failure of the final buffer flush and would commit a cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (errorText)
            *errorText = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        qCWarning(lcProfile) << "cannot write" << path << file.errorString();
        return false;
    }
    const qint64 written = file.write(text.data(), static_cast<qint64>(text.size()));
    if (written != static_cast<qint64>(text.size()) || !file.commit()) {
        if (errorText)
            *errorText = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        qCWarning(lcProfile) << "cannot write" << path << file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace ravo
