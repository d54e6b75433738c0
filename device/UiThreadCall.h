#pragma once

#include "device/CancelSignal.h"

#include <functional>
#include <memory>

class QObject;

namespace ravo {

// Runs `call` on the thread of `target` (its event loop) and waits until it has run: the
// synchronous send of a worker thread to a window. Gives up as soon as `cancel` is set, so a
// UI thread that is stopping the worker while the call waits in its queue cannot deadlock;
// a call given up before it started never runs. Returns true when the call ran to its end.
// Called on the target's own thread, it runs the call directly.
bool CallOnObjectThread(QObject* target, std::function<void()> call,
                        const std::shared_ptr<CancelSignal>& cancel);

// Queues `call` on the thread of `target` and returns at once (a posted message).
void PostToObjectThread(QObject* target, std::function<void()> call);

}  // namespace ravo
