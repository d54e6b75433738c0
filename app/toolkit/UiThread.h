#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <mutex>
#include <utility>

namespace ravo::ui {

namespace detail {
std::mutex& PostMutex();
}

// Queues `fn` to the thread of `context` (the UI thread for widgets); it is dropped if
// `context` is deleted first. Callable from any thread; the caller keeps `context` alive until
// the call returns.
//
// The hand-over also passes through a mutex of ours, so that thread checkers see the order
// Qt's own (uninstrumented) event queue already guarantees.
template <class Fn>
void PostToObjectThread(QObject* context, Fn fn) {
    if (context == nullptr)
        return;
    std::lock_guard<std::mutex> lock(detail::PostMutex());
    QMetaObject::invokeMethod(
        context,
        [fn = std::move(fn)]() mutable {
            { std::lock_guard<std::mutex> sync(detail::PostMutex()); }
            fn();
        },
        Qt::QueuedConnection);
}

// Runs `fn` at once on the thread of `context`, or queues it there from any other thread.
template <class Fn>
void RunOnObjectThread(QObject* context, Fn fn) {
    if (context == nullptr)
        return;
    if (QThread::currentThread() == context->thread())
        fn();
    else
        PostToObjectThread(context, std::move(fn));
}

}  // namespace ravo::ui
