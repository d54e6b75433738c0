#include "device/DeviceWatcher.h"

#include "device/HidBus.h"
#include "device/HidDevice.h"

#include <QLoggingCategory>

#include <pthread.h>

namespace ravo {

namespace {
Q_LOGGING_CATEGORY(lcWatcher, "ravo.device.watcher", QtWarningMsg)
}

DeviceWatcher::DeviceWatcher(DeviceSlotList& slotList, DeviceWatcherSink& sink,
                             std::shared_ptr<CancelSignal> stop)
    : m_slots(slotList), m_sink(sink), m_stop(std::move(stop)) {}

DeviceWatcher::~DeviceWatcher() {
    RequestStop();
    if (m_thread.joinable())
        m_thread.join();  // every wait of the thread is bounded by the stop signal
}

bool DeviceWatcher::Start() {
    if (m_thread.joinable()) {
        std::lock_guard lock(m_mutex);
        if (m_running)
            return false;
    }
    if (m_thread.joinable())
        m_thread.join();
    // Reset here rather than on the thread: a stop requested right after Start is not lost.
    m_stop->Reset();
    {
        std::lock_guard lock(m_mutex);
        m_running = true;
    }
    m_thread = std::thread([this] {
        pthread_setname_np(pthread_self(), "ravo-watcher");
        Run();
    });
    return true;
}

void DeviceWatcher::RequestStop() {
    m_stop->Set();
}

bool DeviceWatcher::WaitStopped(std::chrono::milliseconds limit) {
    {
        std::unique_lock lock(m_mutex);
        if (!m_ended.wait_for(lock, limit, [this] { return !m_running; }))
            return false;
    }
    if (m_thread.joinable())
        m_thread.join();
    return true;
}

bool DeviceWatcher::IsRunning() const {
    std::lock_guard lock(m_mutex);
    return m_running;
}

void DeviceWatcher::Run() {
    // Used by this thread only, for the life of the thread.
    HidDevice scanner;
    bool firstPass = true;
    while (!m_stop->IsSet()) {
        m_passes.fetch_add(1);
        if (m_slots.AnyFree())
            Scan(scanner);
        if (firstPass) {
            // Even when the listing failed: the window must show itself either way.
            firstPass = false;
            if (!m_stop->IsSet())
                m_sink.OnFirstScanDone();
        }
        if (m_stop->IsSet())
            break;
        CheckClaimed();
        m_sink.OnPassDone();
        if (m_stop->Wait(kPeriod))
            break;
    }
    qCDebug(lcWatcher) << "抓取设备线程设定退出";
    std::lock_guard lock(m_mutex);
    m_running = false;
    m_ended.notify_all();
}

void DeviceWatcher::Scan(HidDevice& scanner) {
    // A failed listing is retried on the next pass; the watcher keeps noticing devices.
    if (!scanner.ListInterfaces()) {
        qCDebug(lcWatcher) << "listing the HID interfaces failed; retrying on the next pass";
        return;
    }
    DeviceSupportEntry candidate;
    const auto& table = SupportTable();
    while (const std::string* path = scanner.NextInterfacePath()) {
        if (m_stop->IsSet())
            break;
        candidate.vendorId = ParseVendorId(*path);
        candidate.productId = ParseProductId(*path);
        candidate.collectionNumber = ParseCollectionNumber(*path);
        candidate.interfaceNumber = ParseInterfaceNumber(*path);
        candidate.path = *path;

        bool rowExists = false;
        for (const DeviceSupportEntry& row : table)
            if (row.vendorId == candidate.vendorId && row.productId == candidate.productId &&
                row.collectionNumber == candidate.collectionNumber &&
                row.interfaceNumber == candidate.interfaceNumber) {
                rowExists = true;
                break;
            }
        if (!rowExists ||
            !m_slots.HasFreeSlot(candidate.vendorId, candidate.productId, candidate.interfaceNumber,
                                 candidate.collectionNumber))
            continue;

        if (!scanner.Open(*path, true, false, true, false))
            continue;  // retried on the next pass
        candidate.vendorId = scanner.Attributes().vendorId;
        candidate.productId = scanner.Attributes().productId;
        candidate.usagePage = scanner.Caps().usagePage;
        candidate.usage = scanner.Caps().usage;
        scanner.Close();

        int claimed = -1;
        for (const DeviceSupportEntry& row : table) {
            if (row.vendorId == candidate.vendorId && row.productId == candidate.productId &&
                row.collectionNumber == candidate.collectionNumber &&
                row.interfaceNumber == candidate.interfaceNumber &&
                row.usagePage == candidate.usagePage && row.usage == candidate.usage) {
                candidate.deviceType = row.deviceType;
                candidate.role = row.role;
                claimed = m_slots.Claim(candidate);
                break;
            }
        }
        if (claimed >= 0)
            m_sink.OnDeviceArrived(claimed);
    }
    scanner.ClearInterfaceList();
}

void DeviceWatcher::CheckClaimed() {
    const HidOpenOptions presence{false, false, false, false};
    for (const auto& [index, path] : m_slots.Claimed()) {
        if (m_stop->IsSet())
            return;
        if (HidBus::Instance().Open(path, presence))
            continue;  // present; the probe closes at once
        if (m_slots.Release(index))
            m_sink.OnDeviceRemoved(static_cast<int>(index));
    }
}

}  // namespace ravo
