#pragma once

#include "device/DeviceCatalogue.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace ravo {

// The main window's slot list: one DeviceSlot per supported-device row, in row order, never
// resized. The device watcher claims and frees slots through the locked operations; the UI
// thread reads them. Lock rule: every change goes through m_mutex. Slots() hands out the
// list itself for the UI thread: read it only while the watcher is stopped or from inside the
// arrival/removal messages (the watcher waits for those, so nothing changes meanwhile).
class DeviceSlotList {
public:
    DeviceSlotList();  // a copy of the supported-device table
    explicit DeviceSlotList(std::vector<DeviceSlot> slotList);
    DeviceSlotList(const DeviceSlotList&) = delete;
    DeviceSlotList& operator=(const DeviceSlotList&) = delete;

    size_t Count() const { return m_count; }
    DeviceSlot At(size_t index) const;  // a copy; an empty entry beyond the end
    std::vector<DeviceSlot> Snapshot() const;
    const std::vector<DeviceSlot>& Slots() const { return m_slots; }

    bool AnyFree() const;
    // True when some free slot has these four values.
    bool HasFreeSlot(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                     uint16_t collectionNumber) const;
    // Claims the first free slot whose vendor, product, interface, collection, usage page and
    // usage equal the candidate's: in-use flag 1, path set. The slot index, or -1.
    int Claim(const DeviceSupportEntry& candidate);
    // Frees a claimed slot (in-use 0, path empty); false when it was not claimed.
    bool Release(size_t index);
    // The claimed slots and their paths, in slot order.
    std::vector<std::pair<size_t, std::string>> Claimed() const;

private:
    mutable std::mutex m_mutex;
    std::vector<DeviceSlot> m_slots;  // elements changed under m_mutex; never resized
    const size_t m_count;
};

}  // namespace ravo
