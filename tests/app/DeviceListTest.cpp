#include "app/DeviceList.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ravo {
namespace {

struct FakeDevice : ListedDevice {
    DeviceSupportEntry identity;
    bool linkOpen = false;
    bool receiverMode = false;
    bool openFails = false;
    bool online = true;
    bool battery = false;
    bool wantsRepaint = false;
    bool eventOpen[2] = {false, false};
    std::string eventPath[2];
    int eventKind[2] = {0, 0};
    std::string linkPath;
    int attached = 0;
    int frames = 0;
    int powerReads = 0;
    int onlineQueries = 0;
    int resyncs = 0;
    bool syncPossible = false;

    const DeviceSupportEntry& Identity() const override { return identity; }
    void SetIdentity(const DeviceSupportEntry& id) override { identity = id; }
    bool LinkOpen() const override { return linkOpen; }
    bool OnReceiver() const override { return receiverMode; }
    bool OpenLink(bool, const std::string& path) override {
        if (openFails)
            return false;
        linkOpen = true;
        linkPath = path;
        return true;
    }
    bool SwitchLink(const std::string& path) override {
        linkOpen = false;
        if (openFails)
            return false;
        linkOpen = true;
        linkPath = path;
        return true;
    }
    void SetLinkMode(int mode) override { receiverMode = mode == 2; }
    void CloseLink(bool) override {
        linkOpen = false;
        linkPath.clear();
    }
    bool HasBattery() const override { return battery; }
    bool QueryOnline() override {
        ++onlineQueries;
        return online;
    }
    void ReadPowerStatus() override { ++powerReads; }
    bool EventReaderOpen(bool receiver) const override { return eventOpen[receiver]; }
    void OpenEventReader(bool receiver, int interfaceKind, const std::string& path) override {
        eventOpen[receiver] = true;
        eventKind[receiver] = interfaceKind;
        eventPath[receiver] = path;
    }
    void CloseEventReader(bool receiver) override { eventOpen[receiver] = false; }
    void SetLightingSyncPossible(bool possible) override { syncPossible = possible; }
    void OnAttached() override { ++attached; }
    bool OutputFrame() override {
        ++frames;
        return wantsRepaint;
    }
    void OnResync() override { ++resyncs; }
    void OnSpareTimerA() override {}
    void OnSpareTimerB() override {}
};

struct FakeItem : SelectorItem {
    bool visible = false;
    bool selected = false;
    bool sync = false;
    int page = 0;
    int power = 0;
    int type = 0;
    int sub = 0;
    int repaints = 0;
    std::map<int, int> timers;  // running timers: id -> period

    void SetItemVisible(bool v) override { visible = v; }
    bool ItemVisible() const override { return visible; }
    void SetButtonSelected(bool s) override { selected = s; }
    bool ButtonSelected() const override { return selected; }
    int PageIndex() const override { return page; }
    int PowerIndex() const override { return power; }
    bool SyncChecked() const override { return sync; }
    void SetSyncChecked(bool c) override { sync = c; }
    int DeviceType() const override { return type; }
    int SubType() const override { return sub; }
    void StartTimer(int id, int ms) override { timers[id] = ms; }
    void StopTimer(int id) override { timers.erase(id); }
    void RepaintDevicePage() override { ++repaints; }
};

struct FakeView : DeviceListView {
    std::vector<std::unique_ptr<FakeDevice>> devices;
    std::vector<std::unique_ptr<FakeItem>> items;
    std::vector<int> createdKinds;
    int page = -1;
    int powerPage = -1;
    bool noDevice = true;
    int activations = 0;
    int lostWork = 0;

    Entry CreateEntry(int kind, int row, int sub) override {
        createdKinds.push_back(kind);
        auto d = std::make_unique<FakeDevice>();
        d->identity = SupportTable()[row];
        auto i = std::make_unique<FakeItem>();
        i->page = static_cast<int>(items.size());
        i->power = static_cast<int>(items.size());
        i->type = d->identity.deviceType;
        i->sub = sub;
        devices.push_back(std::move(d));
        items.push_back(std::move(i));
        return {devices.back().get(), items.back().get()};
    }
    void SelectDevicePage(int index) override { page = index; }
    void SelectPowerPage(int index) override { powerPage = index; }
    void SetNoDevicePanelVisible(bool v) override { noDevice = v; }
    void EndWorkOnLostDevice() override { ++lostWork; }
    void Activate() override { ++activations; }
};

constexpr int kMouse = 0;     // item index of the mouse (created first)
constexpr int kKeyboard = 1;  // item index of the keyboard

class DeviceListTest : public ::testing::Test {
protected:
    DeviceListTest() : slotList(SupportTable()), list(slotList, view) {
        list.SetOnlineRetryPause(std::chrono::milliseconds(0));
        list.CreateInitialEntries();
    }

    void Plug(int slot) {
        slotList[slot].inUse = 1;
        slotList[slot].path = "path" + std::to_string(slot);
        list.OnSlotArrived(slot);
    }
    void Unplug(int slot) {
        slotList[slot].inUse = 0;
        slotList[slot].path.clear();
        list.OnSlotRemoved(slot);
    }
    FakeDevice& Kb() { return *view.devices[kKeyboard]; }
    FakeItem& KbItem() { return *view.items[kKeyboard]; }
    FakeDevice& Mouse() { return *view.devices[kMouse]; }
    FakeItem& MouseItem() { return *view.items[kMouse]; }
    // Fires a running timer of an item, as the toolkit would.
    void Fire(int item, int id) {
        ASSERT_TRUE(view.items[item]->timers.count(id)) << "timer " << id << " not running";
        list.OnItemTimer(item, id);
    }

    std::vector<DeviceSlot> slotList;
    FakeView view;
    DeviceList list;
};

TEST_F(DeviceListTest, StartsWithHiddenMouseAndKeyboard) {
    ASSERT_EQ(list.ItemCount(), 2);
    EXPECT_EQ(view.createdKinds, (std::vector<int>{0, 1}));
    EXPECT_TRUE(SameEntry(Kb().identity, SupportTable()[0]));
    EXPECT_TRUE(SameEntry(Mouse().identity, SupportTable()[4]));
    EXPECT_FALSE(KbItem().visible);
    EXPECT_FALSE(MouseItem().visible);
    EXPECT_EQ(list.Devices(DeviceFamily::Keyboard).size(), 1u);
    EXPECT_EQ(list.Devices(DeviceFamily::Mouse).size(), 1u);
    EXPECT_EQ(list.CurrentDevice(), nullptr);
}

TEST_F(DeviceListTest, WiredKeyboardShowsAndSelectsItsItem) {
    Plug(1);  // event collection first, as enumerated
    Plug(0);
    EXPECT_TRUE(Kb().linkOpen);
    EXPECT_EQ(Kb().linkPath, "path0");
    EXPECT_FALSE(Kb().receiverMode);
    EXPECT_TRUE(Kb().eventOpen[0]);
    EXPECT_EQ(Kb().eventPath[0], "path1");
    EXPECT_EQ(Kb().eventKind[0], 1);  // listener A
    EXPECT_TRUE(KbItem().visible);
    EXPECT_TRUE(KbItem().selected);
    EXPECT_EQ(view.page, KbItem().page);
    EXPECT_FALSE(view.noDevice);
    EXPECT_EQ(view.activations, 2);
    EXPECT_EQ(KbItem().timers[kTimerAttach], 500);
    EXPECT_EQ(list.CurrentDevice(), &Kb());
    EXPECT_EQ(list.ItemCount(), 2);  // no new entry

    Fire(kKeyboard, kTimerAttach);
    EXPECT_EQ(Kb().attached, 1);
    EXPECT_EQ(KbItem().timers[kTimerFrame], 5);
    EXPECT_FALSE(KbItem().timers.count(kTimerOnlineCheck));
    Fire(kKeyboard, kTimerFrame);
    EXPECT_EQ(Kb().frames, 1);
    EXPECT_EQ(KbItem().repaints, 0);
    Kb().wantsRepaint = true;
    Fire(kKeyboard, kTimerFrame);
    EXPECT_EQ(KbItem().repaints, 1);
    EXPECT_EQ(KbItem().timers[kTimerFrame], 5);
}

TEST_F(DeviceListTest, UnpluggingTheOnlyDeviceShowsTheNoDevicePanel) {
    Plug(1);
    Plug(0);
    view.page = 7;
    Unplug(0);
    Unplug(1);
    EXPECT_FALSE(Kb().linkOpen);
    EXPECT_FALSE(Kb().eventOpen[0]);
    EXPECT_FALSE(KbItem().visible);
    EXPECT_FALSE(KbItem().selected);
    EXPECT_TRUE(view.noDevice);
    EXPECT_EQ(view.page, 0);
    EXPECT_EQ(view.powerPage, 0);
    EXPECT_EQ(list.CurrentDevice(), nullptr);
    // A frame timer still pending stops once the link is closed.
    KbItem().timers[kTimerFrame] = 5;
    list.OnItemTimer(kKeyboard, kTimerFrame);
    EXPECT_FALSE(KbItem().timers.count(kTimerFrame));
}

TEST_F(DeviceListTest, CableAndReceiverHandOver) {
    Plug(0);
    Plug(2);  // receiver while the cable is in use: nothing changes
    EXPECT_EQ(Kb().linkPath, "path0");
    EXPECT_FALSE(Kb().receiverMode);
    EXPECT_TRUE(KbItem().visible);

    Unplug(0);  // cable gone: the keyboard moves to the receiver, item stays
    EXPECT_TRUE(Kb().linkOpen);
    EXPECT_EQ(Kb().linkPath, "path2");
    EXPECT_TRUE(Kb().receiverMode);
    EXPECT_TRUE(KbItem().visible);
    EXPECT_EQ(KbItem().timers[kTimerOnlineCheck], 2000);
    EXPECT_TRUE(SameEntry(Kb().identity, SupportTable()[0]));

    Plug(0);  // cable back
    EXPECT_EQ(Kb().linkPath, "path0");
    EXPECT_FALSE(Kb().receiverMode);
    EXPECT_TRUE(KbItem().visible);
    EXPECT_EQ(KbItem().timers[kTimerAttach], 500);

    Unplug(2);  // receiver gone while on the cable: nothing changes
    EXPECT_TRUE(Kb().linkOpen);
    EXPECT_TRUE(KbItem().visible);
}

TEST_F(DeviceListTest, ReceiverShowsTheItemOnlyWhileTheKeyboardAnswers) {
    Kb().online = false;
    Plug(2);
    EXPECT_TRUE(Kb().linkOpen);
    EXPECT_TRUE(Kb().receiverMode);
    EXPECT_TRUE(SameEntry(Kb().identity, SupportTable()[0]));
    EXPECT_FALSE(KbItem().visible);
    EXPECT_TRUE(view.noDevice);

    Fire(kKeyboard, kTimerAttach);  // off line: stays hidden, asks again in 3 s
    EXPECT_FALSE(KbItem().visible);
    EXPECT_EQ(KbItem().timers[kTimerAttach], 3000);
    EXPECT_EQ(Kb().attached, 0);

    Kb().online = true;
    Fire(kKeyboard, kTimerAttach);
    EXPECT_TRUE(KbItem().visible);
    EXPECT_TRUE(KbItem().selected);
    EXPECT_EQ(Kb().attached, 1);
    EXPECT_EQ(KbItem().timers[kTimerFrame], 5);
    EXPECT_EQ(KbItem().timers[kTimerOnlineCheck], 2000);
    Fire(kKeyboard, kTimerFrame);
    EXPECT_EQ(KbItem().timers[kTimerFrame], 500);

    Kb().online = false;
    Fire(kKeyboard, kTimerOnlineCheck);
    EXPECT_FALSE(KbItem().visible);
    EXPECT_TRUE(view.noDevice);
    EXPECT_EQ(KbItem().timers[kTimerOnlineCheck], 3000);

    Kb().online = true;
    Fire(kKeyboard, kTimerOnlineCheck);
    EXPECT_TRUE(KbItem().visible);
    EXPECT_TRUE(KbItem().selected);
    EXPECT_FALSE(view.noDevice);
}

TEST_F(DeviceListTest, ReceiverEventInterfaceFollowsTheReceiver) {
    Plug(2);
    Plug(3);
    EXPECT_TRUE(Kb().eventOpen[1]);
    EXPECT_EQ(Kb().eventPath[1], "path3");
    EXPECT_EQ(Kb().eventKind[1], 9);  // listener B
    EXPECT_FALSE(Kb().eventOpen[0]);
    Unplug(3);
    EXPECT_FALSE(Kb().eventOpen[1]);
}

TEST_F(DeviceListTest, LosingTheSelectedDeviceSelectsAnother) {
    Plug(4);
    Plug(0);
    EXPECT_TRUE(MouseItem().selected);  // first visible stays selected
    EXPECT_FALSE(KbItem().selected);
    list.SelectNext();
    EXPECT_TRUE(KbItem().selected);
    EXPECT_EQ(list.CurrentDevice(), &Kb());
    EXPECT_TRUE(Kb().syncPossible);

    Unplug(0);
    EXPECT_EQ(view.lostWork, 1);
    EXPECT_FALSE(KbItem().visible);
    EXPECT_TRUE(MouseItem().visible);
    EXPECT_TRUE(MouseItem().selected);
    EXPECT_EQ(view.page, MouseItem().page);
    EXPECT_EQ(list.CurrentDevice(), &Mouse());
    EXPECT_FALSE(Mouse().syncPossible);
    EXPECT_FALSE(view.noDevice);
}

TEST_F(DeviceListTest, SyncBoxesNeedTwoTickedVisibleDevices) {
    Plug(4);
    Plug(0);
    MouseItem().sync = true;
    KbItem().sync = true;
    list.ShowDeviceItem(kKeyboard, true, false);
    EXPECT_TRUE(MouseItem().sync);
    KbItem().sync = false;
    list.ShowDeviceItem(kKeyboard, true, false);
    EXPECT_FALSE(MouseItem().sync);
}

TEST_F(DeviceListTest, MousePadIsCreatedOnceAndReused) {
    Plug(9);
    Plug(8);
    ASSERT_EQ(list.ItemCount(), 3);
    FakeDevice& pad = *view.devices[2];
    EXPECT_TRUE(pad.linkOpen);
    EXPECT_TRUE(pad.eventOpen[0]);
    EXPECT_TRUE(view.items[2]->visible);
    Unplug(8);
    Unplug(9);
    EXPECT_FALSE(view.items[2]->visible);
    Plug(8);
    EXPECT_EQ(list.ItemCount(), 3);
    EXPECT_TRUE(view.items[2]->visible);
    EXPECT_EQ(list.Devices(DeviceFamily::MousePad).size(), 1u);
}

TEST_F(DeviceListTest, InterfaceThatCannotBeOpenedIsRetriedOnNextArrival) {
    Kb().openFails = true;
    Plug(0);
    EXPECT_FALSE(Kb().linkOpen);
    EXPECT_FALSE(KbItem().visible);
    EXPECT_TRUE(KbItem().timers.empty());
    Unplug(0);
    Kb().openFails = false;
    Plug(0);
    EXPECT_TRUE(Kb().linkOpen);
    EXPECT_TRUE(KbItem().visible);
}

TEST_F(DeviceListTest, DeviceGoneBeforeItsAttachTimerStaysHidden) {
    Plug(0);
    Unplug(0);
    list.OnItemTimer(kKeyboard, kTimerAttach);
    EXPECT_FALSE(KbItem().visible);
    EXPECT_EQ(Kb().attached, 0);
    EXPECT_TRUE(KbItem().timers.empty());
}

TEST_F(DeviceListTest, BatteryDeviceOnReceiverAsksOnlineAfterSwitch) {
    Mouse().battery = true;
    Plug(4);
    Plug(6);
    Mouse().online = false;
    Unplug(4);
    EXPECT_TRUE(Mouse().receiverMode);
    EXPECT_EQ(Mouse().onlineQueries, 26);
    EXPECT_EQ(Mouse().powerReads, 1);
    Mouse().online = true;
    Fire(kMouse, kTimerOnlineCheck);
    EXPECT_TRUE(MouseItem().visible);
}

TEST_F(DeviceListTest, IgnoresBadIndexes) {
    list.OnSlotArrived(-1);
    list.OnSlotArrived(11);
    list.OnSlotRemoved(99);
    list.OnLinkMode(5, true);
    list.HideLostDevice(-1);
    list.OnItemTimer(7, kTimerFrame);
    EXPECT_EQ(view.activations, 0);
    EXPECT_EQ(list.FindFirstVisible().count, 0);
    EXPECT_EQ(list.FindFirstVisible().first, -1);
}

TEST_F(DeviceListTest, LinkModeMessageShowsAndHides) {
    Plug(0);
    list.OnLinkMode(kKeyboard, false);
    EXPECT_FALSE(KbItem().visible);
    EXPECT_TRUE(view.noDevice);
    list.OnLinkMode(kKeyboard, true);
    EXPECT_TRUE(KbItem().visible);
    EXPECT_TRUE(KbItem().selected);  // nothing was visible before
}

}  // namespace
}  // namespace ravo
