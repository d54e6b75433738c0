#pragma once

#include <QString>

#include <json/value.h>

#include <string>
#include <string_view>

// Reading and writing whole JSON files. Every JSON file of the program goes through these.
namespace ravo {

enum class FileReadResult { Ok, Missing, Failed };

// The file's bytes; distinguishes a missing file from one that exists but cannot be read.
FileReadResult ReadFileBytes(const QString& path, std::string& bytes, QString* errorText = nullptr);

// The file's bytes, empty when it cannot be opened or read completely.
std::string readjsonFile(const QString& path);

// Parses JSON text (comments allowed); null for empty or malformed text. Never throws.
Json::Value ParseJsonText(std::string_view text);

// The file's parsed content, null on any failure.
Json::Value LoadJsonFile(const QString& path);

// The styled form of a value (three-space indentation, one trailing line break) as jsoncpp's
// StyledWriter produces it.
std::string StyledJsonText(const Json::Value& value);

// Replaces the file with the styled form of the value. The new content goes to a temporary file
// in the same folder first, so a failed write leaves the previous file as it was. Returns false
// and says why in errorText when the file could not be written.
[[nodiscard]] bool WriteJsonFile(const Json::Value& value, const QString& path,
                                 QString* errorText = nullptr);

}  // namespace ravo
