#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

// Small text routines shared by the profile files, the pages and the panels.
namespace ravo {

struct NumberedName {
    QString prefix;  // up to and including the last "_"
    int number = 0;
    bool ok = false;
};

// Splits a control name such as "key_12" into "key_" and 12. Fails when there is no "_" or
// the rest is not a plain decimal number.
NumberedName SplitNumberedName(const QString& text);

QString Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(const QString& text);

// Eight upper-case hexadecimal digits, most significant first.
QString HexWord(uint32_t value);

}  // namespace ravo
