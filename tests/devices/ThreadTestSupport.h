#pragma once

// Helpers of the worker-thread tests: bounded waits and the threads' debug lines.

#include <QLoggingCategory>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

namespace ravo::test {

// Polls `done` until it holds or the limit passes (like QTRY_VERIFY); true when it held.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return done();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Collects the "ravo.threads" debug lines while it exists.
class ThreadLogCapture {
public:
    ThreadLogCapture() {
        QLoggingCategory::setFilterRules(QStringLiteral("ravo.threads.debug=true"));
        {
            std::scoped_lock lock(Mutex());
            Lines().clear();
        }
        m_previous = qInstallMessageHandler(&Handler);
    }
    ~ThreadLogCapture() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }
    bool Contains(const QString& text) const { return Count(text) > 0; }
    int Count(const QString& text) const {
        std::scoped_lock lock(Mutex());
        int n = 0;
        for (const QString& line : Lines()) {
            n += line.contains(text) ? 1 : 0;
        }
        return n;
    }

private:
    static std::mutex& Mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& Lines() {
        static QStringList lines;
        return lines;
    }
    static void Handler(QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (context.category && QString::fromUtf8(context.category) == "ravo.threads") {
            std::scoped_lock lock(Mutex());
            Lines().push_back(text);
        }
    }
    QtMessageHandler m_previous = nullptr;
};

}  // namespace ravo::test
