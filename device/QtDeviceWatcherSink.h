#pragma once

#include "device/CancelSignal.h"
#include "device/DeviceWatcher.h"

class QObject;

#include <functional>
#include <memory>

namespace ravo {

// Delivers the watcher's reports to handlers on the thread of a QObject (the main window):
// arrivals and removals synchronously (the watcher waits until the handler returned, or gives
// up when its stop signal is set), the activation as a posted call.
class QtDeviceWatcherSink : public DeviceWatcherSink {
public:
    struct Handlers {
        std::function<void(int slot)> arrived;  // message 3090
        std::function<void(int slot)> removed;  // message 3091
        std::function<void()> firstScanDone;    // the activation message
    };

    // `stop` is the stop signal the watcher is given.
    QtDeviceWatcherSink(QObject* target, Handlers handlers, std::shared_ptr<CancelSignal> stop);

    void OnDeviceArrived(int slot) override;
    void OnDeviceRemoved(int slot) override;
    void OnFirstScanDone() override;

private:
    QObject* const m_target;  // outlives the watcher
    const Handlers m_handlers;
    const std::shared_ptr<CancelSignal> m_stop;
};

}  // namespace ravo
