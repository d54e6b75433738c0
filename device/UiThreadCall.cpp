#include "device/UiThreadCall.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace ravo {

namespace {

struct CallState {
    // Guarded by the cancel signal's lock (changed through CancelSignal::Update).
    bool done = false;
    bool abandoned = false;
};

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
    QMetaObject::invokeMethod(
        target,
        [state, cancel, call = std::move(call)] {
            bool run = false;
            cancel->Update([&] { run = !state->abandoned; });
            if (!run)
                return;
            call();
            cancel->Update([&] { state->done = true; });
        },
        Qt::QueuedConnection);
    const bool done = cancel->WaitUntil([&] { return state->done; });
    if (!done)
        cancel->Update([&] { state->abandoned = true; });
    return done;
}

void PostToObjectThread(QObject* target, std::function<void()> call) {
    if (!target || !call)
        return;
    QMetaObject::invokeMethod(target, std::move(call), Qt::QueuedConnection);
}

}  // namespace ravo
