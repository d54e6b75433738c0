#include "profile/TextRoutines.h"

#include <limits>

namespace ravo {

NumberedName SplitNumberedName(const QString& text) {
    NumberedName result;
    const qsizetype underscore = text.lastIndexOf(QLatin1Char('_'));
    if (underscore < 0)
        return result;
    const QString rest = text.mid(underscore + 1);
    if (rest.isEmpty())
        return result;
    qint64 number = 0;
    for (const QChar c : rest) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return result;
        number = number * 10 + (c.unicode() - '0');
        if (number > std::numeric_limits<int>::max())
            return result;
    }
    result.prefix = text.left(underscore + 1);
    result.number = static_cast<int>(number);
    result.ok = true;
    return result;
}

QString Utf8ToWide(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string WideToUtf8(const QString& text) {
    return text.toStdString();
}

QString HexWord(uint32_t value) {
    return QStringLiteral("%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

}  // namespace ravo
