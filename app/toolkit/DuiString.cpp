#include "app/toolkit/DuiString.h"

#include <cstdarg>

namespace ravo {

CDuiString CDuiString::FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    QString text = QString::vasprintf(format, args);
    va_end(args);
    return CDuiString(text);
}

int CDuiString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_text = QString::vasprintf(format, args);
    va_end(args);
    return GetLength();
}

QChar CDuiString::GetAt(int index) const {
    if (index < 0 || index >= m_text.size())
        return QChar();
    return m_text.at(index);
}

int CDuiString::Compare(const CDuiString& other) const {
    return m_text.compare(other.m_text, Qt::CaseSensitive);
}

int CDuiString::CompareNoCase(const CDuiString& other) const {
    return m_text.compare(other.m_text, Qt::CaseInsensitive);
}

int CDuiString::Find(QChar ch, int start) const {
    if (start < 0 || start > m_text.size())
        return -1;
    return static_cast<int>(m_text.indexOf(ch, start));
}

int CDuiString::Find(const CDuiString& text, int start) const {
    if (start < 0 || start > m_text.size())
        return -1;
    return static_cast<int>(m_text.indexOf(text.m_text, start));
}

int CDuiString::ReverseFind(QChar ch) const {
    return static_cast<int>(m_text.lastIndexOf(ch));
}

CDuiString CDuiString::Left(int count) const {
    if (count <= 0)
        return CDuiString();
    return CDuiString(m_text.left(count));
}

CDuiString CDuiString::Mid(int position, int count) const {
    if (position < 0)
        position = 0;
    if (position >= m_text.size() || count == 0)
        return CDuiString();
    if (count < 0)
        return CDuiString(m_text.mid(position));
    return CDuiString(m_text.mid(position, count));
}

CDuiString CDuiString::Right(int count) const {
    if (count <= 0)
        return CDuiString();
    return CDuiString(m_text.right(count));
}

int CDuiString::Replace(const CDuiString& from, const CDuiString& to) {
    if (from.IsEmpty())
        return 0;
    const int count = static_cast<int>(m_text.count(from.m_text));
    m_text.replace(from.m_text, to.m_text);
    return count;
}

}  // namespace ravo
