#include "app/DeviceList.h"

#include <QLoggingCategory>

#include <thread>

namespace ravo {

Q_LOGGING_CATEGORY(lcDeviceList, "ravo.devicelist", QtWarningMsg)

namespace {

constexpr int kMaxOnlineQueries = 26;
constexpr int kOfflineCountWrap = 20;

bool IsCableType(int type) {
    return type == 1 || type == 2;
}
bool IsReceiverType(int type) {
    return type == 9 || type == 6;
}
bool IsCommandRole(const DeviceSupportEntry& e) {
    return e.role == 0;
}
bool IsEventRole(const DeviceSupportEntry& e) {
    return e.role == 255;
}
bool HasPath(const DeviceSupportEntry& e) {
    return !e.path.empty();
}

bool SameProduct(const DeviceSupportEntry& a, const DeviceSupportEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId && a.deviceType == b.deviceType;
}

}  // namespace

DeviceFamily FamilyOfType(int type) {
    switch (type) {
        case 1:
        case 9:
            return DeviceFamily::Keyboard;
        case 2:
        case 6:
            return DeviceFamily::Mouse;
        case 3:
            return DeviceFamily::MousePad;
        case 7:
            return DeviceFamily::Headset;
        default:
            return DeviceFamily::None;
    }
}

DeviceList::DeviceList(const std::vector<DeviceSlot>& slotList, DeviceListView& view)
    : m_slots(slotList), m_view(view) {}

bool DeviceList::ValidSlot(int slot) const {
    return slot >= 0 && slot < static_cast<int>(m_slots.size());
}

const DeviceSlot* DeviceList::Partner(int slot) const {
    const DeviceSlot& s = m_slots[slot];
    if (!s.hasPartner || s.partnerIndex >= m_slots.size())
        return nullptr;
    return &m_slots[s.partnerIndex];
}

// The other link of the same device is present and claimed, pointing back at this slot.
bool DeviceList::PartnerLinkConnected(int slot) const {
    const DeviceSlot* p = Partner(slot);
    return p && p->hasPartner && static_cast<int>(p->partnerIndex) == slot && p->inUse &&
           HasPath(*p);
}

std::vector<ListedDevice*>& DeviceList::FamilyList(DeviceFamily family) {
    switch (family) {
        case DeviceFamily::Keyboard:
            return m_keyboards;
        case DeviceFamily::Mouse:
            return m_mice;
        case DeviceFamily::MousePad:
            return m_mousePads;
        case DeviceFamily::Headset:
            return m_headsets;
        case DeviceFamily::None:
            break;
    }
    m_none.clear();
    return m_none;
}

const std::vector<ListedDevice*>& DeviceList::Devices(DeviceFamily family) const {
    return const_cast<DeviceList*>(this)->FamilyList(family);
}

ListedDevice* DeviceList::FindByIdentity(DeviceFamily family,
                                         const DeviceSupportEntry& identity) const {
    for (ListedDevice* d : Devices(family)) {
        if (SameEntry(d->Identity(), identity))
            return d;
    }
    return nullptr;
}

bool DeviceList::EntryExists(const DeviceSupportEntry& identity) const {
    for (const Entry& e : m_entries) {
        if (SameEntry(e.device->Identity(), identity))
            return true;
    }
    return false;
}

// The identity a device object of this slot carries: a receiver stands in for its cable twin.
const DeviceSupportEntry& DeviceList::CommandIdentity(int slot) const {
    const DeviceSlot* p = Partner(slot);
    if (IsReceiverType(m_slots[slot].deviceType) && p)
        return *p;
    return m_slots[slot];
}

ListedDevice* DeviceList::DeviceAt(int item) const {
    return item >= 0 && item < ItemCount() ? m_entries[item].device : nullptr;
}

SelectorItem* DeviceList::ItemAt(int item) const {
    return item >= 0 && item < ItemCount() ? m_entries[item].item : nullptr;
}

int DeviceList::IndexOf(const ListedDevice* device) const {
    for (int i = 0; i < ItemCount(); ++i) {
        if (m_entries[i].device == device)
            return i;
    }
    return -1;
}

ListedDevice* DeviceList::CurrentDevice() const {
    SelectorItem* item = ItemAt(m_current.index);
    return item && item->ItemVisible() ? m_entries[m_current.index].device : nullptr;
}

void DeviceList::CreateInitialEntries() {
    for (int kind : {0, 1}) {
        const DeviceKindRow& k = DeviceKindTable()[kind];
        CreateDeviceEntry(FindSupportRow(k.vendorId, k.productId, k.deviceType, k.role), k.role);
    }
}

bool DeviceList::CreateDeviceEntry(int row, int sub) {
    if (row < 0 || row >= static_cast<int>(SupportTable().size()))
        return false;
    const DeviceSupportEntry* identity = &SupportTable()[row];
    // A mouse seen first through its receiver is served by the object of its wired kind.
    if (identity->deviceType == 6 && identity->hasPartner)
        identity = &SupportTable()[identity->partnerIndex];
    const int kind =
        FindDeviceKind(identity->vendorId, identity->productId, identity->deviceType, sub);
    if (kind < 0)
        return false;
    const int identityRow = static_cast<int>(identity - SupportTable().data());
    const DeviceListView::Entry built = m_view.CreateEntry(kind, identityRow, sub);
    if (!built.device || !built.item)
        return false;
    const DeviceFamily family = FamilyOfType(identity->deviceType);
    m_entries.push_back({built.device, built.item, family, 0});
    FamilyList(family).push_back(built.device);
    return true;
}

void DeviceList::OnSlotArrived(int a) {
    if (!ValidSlot(a))
        return;
    const DeviceSlot& slot = m_slots[a];
    const int t = slot.deviceType;
    const DeviceFamily family = FamilyOfType(t);
    if (family != DeviceFamily::None) {
        const int primary = FindSupportRow(slot.vendorId, slot.productId, t, 0);
        // The identity an existing object of this interface would carry.
        const DeviceSupportEntry* r = &slot;
        if (IsEventRole(slot)) {
            for (int i = 0; i < static_cast<int>(m_slots.size()); ++i) {
                const DeviceSlot& s = m_slots[i];
                if (s.vendorId == slot.vendorId && s.productId == slot.productId &&
                    s.deviceType == t && IsCommandRole(s)) {
                    r = &s;
                    if (IsReceiverType(t) && Partner(i))
                        r = Partner(i);
                    break;
                }
            }
        } else if (IsReceiverType(t)) {
            const DeviceSlot* p = Partner(a);
            if (p && p->hasPartner && static_cast<int>(p->partnerIndex) == a)
                r = p;
        }
        if (family == DeviceFamily::Keyboard)
            qCDebug(lcDeviceList) << "添加一个键盘设备";
        else if (family == DeviceFamily::Mouse)
            qCDebug(lcDeviceList) << "添加一个鼠标设备";
        else if (family == DeviceFamily::MousePad)
            qCDebug(lcDeviceList) << "添加一个鼠标垫设备";
        if (!EntryExists(*r))
            CreateDeviceEntry(primary, 0);
        Attach(a, family);
    }
    m_view.Activate();
}

void DeviceList::Attach(int a, DeviceFamily family) {
    const DeviceSlot& slot = m_slots[a];
    const int t = slot.deviceType;
    if (IsEventRole(slot)) {
        AttachEventInterface(a, family);
        return;
    }
    const bool twoLinks = family == DeviceFamily::Keyboard || family == DeviceFamily::Mouse;
    if (twoLinks && PartnerLinkConnected(a)) {
        // The device is already served over its other link: only a cable takes over.
        if (IsCableType(t))
            SwitchLinks(a);
        return;
    }
    const bool receiver = twoLinks && IsReceiverType(t);
    const DeviceSupportEntry& target = twoLinks ? CommandIdentity(a) : slot;
    ListedDevice* device = FindByIdentity(family, target);
    if (!device)
        return;
    if (!device->LinkOpen()) {
        if (!device->OpenLink(receiver, slot.path))
            return;  // retried when the slot arrives again
        if (twoLinks)
            device->SetLinkMode(receiver ? 2 : 1);
        device->SetIdentity(target);
    }
    const int item = IndexOf(device);
    if (item < 0)
        return;
    // Behind a receiver the item waits until the device answers on line (timer 1001).
    if (!receiver)
        ShowDeviceItem(item, true, FindFirstVisible().count == 0);
    m_entries[item].item->StartTimer(kTimerAttach, 500);
}

void DeviceList::AttachEventInterface(int a, DeviceFamily family) {
    const DeviceSlot& slot = m_slots[a];
    const bool receiver = IsReceiverType(slot.deviceType);
    const DeviceSupportEntry& match = CommandIdentity(a);
    for (ListedDevice* d : Devices(family)) {
        if (!d->EventReaderOpen(receiver) && SameProduct(d->Identity(), match)) {
            d->OpenEventReader(receiver, slot.deviceType, slot.path);
            return;
        }
    }
}

void DeviceList::DetachEventInterface(int a, DeviceFamily family) {
    const bool receiver = IsReceiverType(m_slots[a].deviceType);
    const DeviceSupportEntry& match = CommandIdentity(a);
    for (ListedDevice* d : Devices(family)) {
        if (d->EventReaderOpen(receiver) && SameProduct(d->Identity(), match)) {
            d->CloseEventReader(receiver);
            return;
        }
    }
}

void DeviceList::OnSlotRemoved(int a) {
    if (!ValidSlot(a))
        return;
    const DeviceSlot& slot = m_slots[a];
    const int t = slot.deviceType;
    const DeviceFamily family = FamilyOfType(t);
    if (family == DeviceFamily::None)
        return;
    if (IsEventRole(slot)) {
        DetachEventInterface(a, family);
        return;
    }
    const bool twoLinks = family == DeviceFamily::Keyboard || family == DeviceFamily::Mouse;
    if (family == DeviceFamily::Keyboard)
        qCDebug(lcDeviceList) << "删除一个键盘设备"
                              << "键盘设备丢失";
    else if (family == DeviceFamily::Mouse)
        qCDebug(lcDeviceList) << "删除一个鼠标设备"
                              << "鼠标设备丢失";
    else if (family == DeviceFamily::MousePad)
        qCDebug(lcDeviceList) << "删除一个鼠标垫设备";
    if (twoLinks && PartnerLinkConnected(a)) {
        // The other link is still there: a lost cable hands the device to the receiver.
        if (IsCableType(t))
            SwitchLinks(a);
        return;
    }
    ListedDevice* device = FindByIdentity(family, twoLinks ? CommandIdentity(a) : slot);
    if (!device)
        return;
    device->CloseLink(!twoLinks);
    HideLostDevice(IndexOf(device));
}

void DeviceList::SwitchLinks(int a) {
    const DeviceSlot* partner = Partner(a);
    int item = -1;
    for (int i = 0; i < ItemCount() && item < 0; ++i) {
        const DeviceSupportEntry& id = m_entries[i].device->Identity();
        if (SameEntry(id, m_slots[a]) || (partner && SameEntry(id, *partner)))
            item = i;
    }
    if (item < 0)
        return;
    ListedDevice* device = m_entries[item].device;
    SelectorItem* selector = m_entries[item].item;
    const bool wasOnReceiver = device->OnReceiver();
    const DeviceSlot* target = wasOnReceiver ? &m_slots[a] : partner;
    if (!target || !device->SwitchLink(target->path))
        return;
    if (!wasOnReceiver) {
        device->SetLinkMode(2);
        if (device->HasBattery()) {
            for (int attempt = 1; attempt <= kMaxOnlineQueries; ++attempt) {
                if (device->QueryOnline())
                    break;
                std::this_thread::sleep_for(m_retryPause);
                if (attempt < kMaxOnlineQueries)
                    qCDebug(lcDeviceList) << "获取2.4G模式失败";
            }
            qCDebug(lcDeviceList) << "获取2";
            device->ReadPowerStatus();
        }
        selector->StartTimer(kTimerOnlineCheck, 2000);
    } else {
        device->SetLinkMode(1);
        selector->StartTimer(kTimerAttach, 500);
        OnLinkMode(item, true);
        if (device->HasBattery())
            device->ReadPowerStatus();
    }
}

void DeviceList::ShowDeviceItem(int index, bool visible, bool select) {
    SelectorItem* item = ItemAt(index);
    if (!item)
        return;
    item->SetItemVisible(visible);
    if (select) {
        const int page = item->PageIndex();
        if (page >= 0) {
            m_view.SelectDevicePage(page);
            m_view.SelectPowerPage(item->PowerIndex());
            item->SetButtonSelected(true);
            m_current = {index, item->DeviceType(), item->SubType()};
        }
    } else {
        item->SetButtonSelected(false);
        if (m_current.index == index)
            m_current = {};
    }

    int visibleCount = 0;
    int syncCount = 0;
    for (const Entry& e : m_entries) {
        if (e.item->ItemVisible()) {
            ++visibleCount;
            if (e.item->SyncChecked())
                ++syncCount;
        }
    }
    if (visibleCount == 0) {
        m_view.SetNoDevicePanelVisible(true);
        m_view.SelectPowerPage(0);
        m_view.SelectDevicePage(0);
    } else {
        m_view.SetNoDevicePanelVisible(false);
    }
    for (const Entry& e : m_entries)
        e.device->SetLightingSyncPossible(visibleCount >= 2);
    if (syncCount < 2) {
        for (const Entry& e : m_entries)
            e.item->SetSyncChecked(false);
    }
}

void DeviceList::HideLostDevice(int index) {
    SelectorItem* item = ItemAt(index);
    if (!item)
        return;
    int other = -1;
    if (item->ItemVisible() && item->ButtonSelected()) {
        m_view.EndWorkOnLostDevice();
        for (int i = 0; i < ItemCount(); ++i) {
            if (i != index && m_entries[i].item->ItemVisible()) {
                other = i;
                break;
            }
        }
    }
    ShowDeviceItem(index, false, false);
    if (other >= 0)
        ShowDeviceItem(other, true, true);
}

DeviceList::Visible DeviceList::FindFirstVisible() const {
    Visible v;
    for (int i = 0; i < ItemCount(); ++i) {
        if (m_entries[i].item->ItemVisible()) {
            if (v.first < 0)
                v.first = i;
            ++v.count;
        }
    }
    return v;
}

void DeviceList::OnLinkMode(int index, bool online) {
    SelectorItem* item = ItemAt(index);
    if (!item)
        return;
    if (!online) {
        qCDebug(lcDeviceList) << "2.4gcesvdfherhue 1";
        HideLostDevice(index);
    } else if (!item->ItemVisible()) {
        ShowDeviceItem(index, true, FindFirstVisible().count == 0);
    }
}

void DeviceList::OnSelectionChanged() {
    for (int i = 0; i < ItemCount(); ++i) {
        SelectorItem* item = m_entries[i].item;
        if (item->ButtonSelected()) {
            m_current = {i, item->DeviceType(), item->SubType()};
            m_view.SelectPowerPage(item->PowerIndex());
            return;
        }
    }
}

void DeviceList::SelectPrevious() {
    for (int i = m_current.index - 1; i >= 0; --i) {
        if (m_entries[i].item->ItemVisible()) {
            ShowDeviceItem(i, true, true);
            return;
        }
    }
}

void DeviceList::SelectNext() {
    for (int i = m_current.index + 1; i < ItemCount(); ++i) {
        if (m_entries[i].item->ItemVisible()) {
            ShowDeviceItem(i, true, true);
            return;
        }
    }
}

void DeviceList::OnItemTimer(int index, int timerId) {
    if (index < 0 || index >= ItemCount())
        return;
    Entry& entry = m_entries[index];
    ListedDevice* device = entry.device;
    SelectorItem* item = entry.item;
    item->StopTimer(timerId);
    switch (timerId) {
        case kTimerAttach: {
            // A device whose link has been closed meanwhile is gone: it must not come back.
            if (!device->LinkOpen())
                return;
            if (device->OnReceiver()) {
                if (!device->QueryOnline()) {
                    entry.offlineCount = (entry.offlineCount + 1) % kOfflineCountWrap;
                    if (item->ItemVisible())
                        OnLinkMode(index, false);
                    item->StartTimer(kTimerAttach, 3000);
                    return;
                }
            }
            OnLinkMode(index, true);
            device->OnAttached();
            entry.offlineCount = 0;
            item->StartTimer(kTimerFrame, 5);
            if (device->HasBattery() && device->LinkOpen())
                item->StartTimer(kTimerPower, 50);
            if (device->OnReceiver())
                item->StartTimer(kTimerOnlineCheck, 2000);
            break;
        }
        case kTimerFrame:
            if (device->OutputFrame() && item->ButtonSelected())
                item->RepaintDevicePage();
            if (device->LinkOpen())
                item->StartTimer(kTimerFrame, device->OnReceiver() ? 500 : 5);
            break;
        case kTimerResync:
            device->OnResync();
            break;
        case kTimerSpareA:
            device->OnSpareTimerA();
            break;
        case kTimerSpareB:
            device->OnSpareTimerB();
            break;
        case kTimerPower:
            if (!device->LinkOpen())
                return;
            device->ReadPowerStatus();
            if (device->HasBattery())
                item->StartTimer(kTimerPower, 5000);
            break;
        case kTimerOnlineCheck:
            if (!device->OnReceiver() || !device->LinkOpen())
                return;
            if (device->QueryOnline()) {
                if (!item->ItemVisible()) {
                    OnLinkMode(index, true);
                    if (device->HasBattery())
                        device->ReadPowerStatus();
                }
            } else if (item->ItemVisible()) {
                OnLinkMode(index, false);
            }
            item->StartTimer(kTimerOnlineCheck, 3000);
            break;
        default:
            break;
    }
}

}  // namespace ravo
