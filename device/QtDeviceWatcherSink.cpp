#include "device/QtDeviceWatcherSink.h"

#include "device/UiThreadCall.h"

namespace ravo {

QtDeviceWatcherSink::QtDeviceWatcherSink(QObject* target, Handlers handlers,
                                         std::shared_ptr<CancelSignal> stop)
    : m_target(target), m_handlers(std::move(handlers)), m_stop(std::move(stop)) {}

void QtDeviceWatcherSink::OnDeviceArrived(int slot) {
    if (m_handlers.arrived)
        CallOnObjectThread(
            m_target, [h = m_handlers.arrived, slot] { h(slot); }, m_stop);
}

void QtDeviceWatcherSink::OnDeviceRemoved(int slot) {
    if (m_handlers.removed)
        CallOnObjectThread(
            m_target, [h = m_handlers.removed, slot] { h(slot); }, m_stop);
}

void QtDeviceWatcherSink::OnFirstScanDone() {
    if (m_handlers.firstScanDone)
        PostToObjectThread(m_target, m_handlers.firstScanDone);
}

}  // namespace ravo
