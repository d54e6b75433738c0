#include "app/toolkit/ImageDesc.h"

#include <QStringList>

#include <algorithm>

namespace ravo {

namespace {

// "l,t,r,b" as a rectangle; null when malformed.
QRect ParseRect(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4)
        return QRect();
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return QRect();
    }
    if (v[2] < v[0] || v[3] < v[1])
        return QRect();
    return QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
}

}  // namespace

ImageDesc ParseImageDesc(const CDuiString& text) {
    ImageDesc desc;
    const QString s = text.GetData().trimmed();
    if (!s.contains('=')) {
        desc.file = s;
        return desc;
    }
    qsizetype i = 0;
    while (i < s.size()) {
        while (i < s.size() && s[i].isSpace())
            ++i;
        const qsizetype eq = s.indexOf('=', i);
        if (eq < 0)
            break;
        const QString key = s.mid(i, eq - i).trimmed();
        i = eq + 1;
        if (i >= s.size() || (s[i] != '\'' && s[i] != '"'))
            break;  // values are quoted; anything else ends the description
        const QChar quote = s[i];
        const qsizetype end = s.indexOf(quote, i + 1);
        if (end < 0)
            break;
        const QString value = s.mid(i + 1, end - i - 1);
        i = end + 1;
        if (key == QLatin1String("file") || key == QLatin1String("res"))
            desc.file = value;
        else if (key == QLatin1String("source"))
            desc.source = ParseRect(value);
        else if (key == QLatin1String("dest"))
            desc.dest = ParseRect(value);
        else if (key == QLatin1String("fade"))
            desc.fade = std::clamp(value.toInt(), 0, 255);
    }
    return desc;
}

}  // namespace ravo
