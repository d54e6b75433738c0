#include "device/UiThreadCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

#include <mutex>

namespace ravo {

namespace {

struct CallState {
    // Guarded by the cancel signal's lock (changed through CancelSignal::Update).
    bool done = false;
    bool abandoned = false;
};

// Held while a call is queued and taken by the call before it runs: the hand-over through Qt's
// event queue then also passes through a lock that thread checkers can follow.
std::mutex& HandOverMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

bool CallOnObjectThread(QObject* target, std::function<void()> call,
                        const std::shared_ptr<CancelSignal>& cancel) {
    if (!target || !call || !cancel)
        return false;
    if (target->thread() == QThread::currentThread()) {
        call();
        return true;
    }
    if (cancel->IsSet())
        return false;
    auto state = std::make_shared<CallState>();
    // The queued call owns what it needs: it may run after this function has given up.
    std::unique_lock handOver(HandOverMutex());
    QMetaObject::invokeMethod(
        target,
        [state, cancel, call = std::move(call)] {
            { std::lock_guard sync(HandOverMutex()); }
            bool run = false;
            cancel->Update([&] { run = !state->abandoned; });
            if (!run)
                return;
            call();
            cancel->Update([&] { state->done = true; });
        },
        Qt::QueuedConnection);
    handOver.unlock();
    const bool done = cancel->WaitUntil([&] { return state->done; });
    if (!done)
        cancel->Update([&] { state->abandoned = true; });
    return done;
}

void PostToObjectThread(QObject* target, std::function<void()> call) {
    if (!target || !call)
        return;
    std::lock_guard handOver(HandOverMutex());
    QMetaObject::invokeMethod(
        target,
        [call = std::move(call)] {
            { std::lock_guard sync(HandOverMutex()); }
            call();
        },
        Qt::QueuedConnection);
}

}  // namespace ravo
