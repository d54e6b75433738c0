#pragma once

#include <QString>

#include <compare>

namespace ravo {

// The string every text, path and control name travels in. A thin value type over QString
// that keeps the handful of operations the windows and panels are written against.
class CDuiString {
public:
    CDuiString() = default;
    CDuiString(const QString& text) : m_text(text) {}  // NOLINT(google-explicit-constructor)
    CDuiString(const char* utf8) : m_text(QString::fromUtf8(utf8)) {}       // NOLINT
    CDuiString(const char16_t* text) : m_text(QString::fromUtf16(text)) {}  // NOLINT
    CDuiString(QChar ch) : m_text(ch) {}                                    // NOLINT

    // printf-style formatting; "%s" takes UTF-8 text, "%ls" wide text.
    static CDuiString FormatText(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 1, 2)))
#endif
        ;
    // Replaces the contents with the formatted text; returns the new length.
    int Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    bool IsEmpty() const {
        return m_text.isEmpty();
    }
    int GetLength() const {
        return static_cast<int>(m_text.size());
    }
    void Empty() {
        m_text.clear();
    }
    QChar GetAt(int index) const;

    // 0 when equal ignoring case, <0 / >0 like a case-folded ordinal compare.
    int Compare(const CDuiString& other) const;
    int CompareNoCase(const CDuiString& other) const;

    void MakeLower() {
        m_text = m_text.toLower();
    }
    void MakeUpper() {
        m_text = m_text.toUpper();
    }

    // Index of a character or text, -1 when absent.
    int Find(QChar ch, int start = 0) const;
    int Find(const CDuiString& text, int start = 0) const;
    int ReverseFind(QChar ch) const;

    // Parts: counts beyond the ends are clipped, negative counts give empty text.
    CDuiString Left(int count) const;
    CDuiString Mid(int position, int count = -1) const;
    CDuiString Right(int count) const;

    void Append(const CDuiString& text) {
        m_text += text.m_text;
    }
    int Replace(const CDuiString& from, const CDuiString& to);

    const QString& GetData() const {
        return m_text;
    }
    QString& Data() {
        return m_text;
    }
    operator const QString&() const {
        return m_text;
    }  // NOLINT(google-explicit-constructor)
    std::string ToUtf8() const {
        return m_text.toStdString();
    }

    CDuiString& operator+=(const CDuiString& text) {
        m_text += text.m_text;
        return *this;
    }
    friend CDuiString operator+(const CDuiString& a, const CDuiString& b) {
        return CDuiString(a.m_text + b.m_text);
    }
    friend bool operator==(const CDuiString& a, const CDuiString& b) {
        return a.m_text == b.m_text;
    }
    friend bool operator==(const CDuiString& a, const char* b) {
        return a.m_text == QString::fromUtf8(b);
    }
    friend bool operator<(const CDuiString& a, const CDuiString& b) {
        return a.m_text < b.m_text;
    }

private:
    QString m_text;
};

}  // namespace ravo
