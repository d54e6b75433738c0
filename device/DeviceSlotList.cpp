#include "device/DeviceSlotList.h"

namespace ravo {

DeviceSlotList::DeviceSlotList() : DeviceSlotList(SupportTable()) {}

DeviceSlotList::DeviceSlotList(std::vector<DeviceSlot> slotList)
    : m_slots(std::move(slotList)), m_count(m_slots.size()) {}

DeviceSlot DeviceSlotList::At(size_t index) const {
    std::lock_guard lock(m_mutex);
    return index < m_slots.size() ? m_slots[index] : DeviceSlot();
}

std::vector<DeviceSlot> DeviceSlotList::Snapshot() const {
    std::lock_guard lock(m_mutex);
    return m_slots;
}

bool DeviceSlotList::AnyFree() const {
    std::lock_guard lock(m_mutex);
    for (const DeviceSlot& slot : m_slots)
        if (slot.IsFree())
            return true;
    return false;
}

bool DeviceSlotList::HasFreeSlot(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                                 uint16_t collectionNumber) const {
    std::lock_guard lock(m_mutex);
    for (const DeviceSlot& slot : m_slots)
        if (slot.IsFree() && slot.vendorId == vendorId && slot.productId == productId &&
            slot.interfaceNumber == interfaceNumber && slot.collectionNumber == collectionNumber)
            return true;
    return false;
}

int DeviceSlotList::Claim(const DeviceSupportEntry& c) {
    std::lock_guard lock(m_mutex);
    for (size_t i = 0; i < m_slots.size(); ++i) {
        DeviceSlot& slot = m_slots[i];
        if (slot.IsFree() && slot.vendorId == c.vendorId && slot.productId == c.productId &&
            slot.interfaceNumber == c.interfaceNumber &&
            slot.collectionNumber == c.collectionNumber && slot.usagePage == c.usagePage &&
            slot.usage == c.usage) {
            slot.inUse = 1;
            slot.path = c.path;
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool DeviceSlotList::Release(size_t index) {
    std::lock_guard lock(m_mutex);
    if (index >= m_slots.size() || m_slots[index].inUse == 0)
        return false;
    m_slots[index].inUse = 0;
    m_slots[index].path.clear();
    return true;
}

std::vector<std::pair<size_t, std::string>> DeviceSlotList::Claimed() const {
    std::lock_guard lock(m_mutex);
    std::vector<std::pair<size_t, std::string>> claimed;
    for (size_t i = 0; i < m_slots.size(); ++i)
        if (m_slots[i].inUse)
            claimed.emplace_back(i, m_slots[i].path);
    return claimed;
}

}  // namespace ravo
