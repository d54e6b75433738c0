// ctest-labels: threads
#include "app/toolkit/ControlOps.h"
#include "tests/app/MainWndFixture.h"
#include "virtualbus/KeyboardInterfaces.h"
#include "virtualbus/VirtualHidBus.h"
#include "virtualbus/VirtualKeyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravo {
namespace {

using virt::VirtualKeyboard;

using MainWndTest = test::MainWndFixture;

TEST_F(MainWndTest, HiddenUntilTheFirstScanThenShownWithTheNoDevicePanel) {
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->WasShown());
    WaitShown();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(ui::IsVisible(Find("No_device_Link")));
    EXPECT_FALSE(ui::IsVisible(Find("device_page_area")));
    EXPECT_NE(window->Workers().At(WorkerSlots::kWatcherSlot), nullptr);
}

TEST_F(MainWndTest, ActivationMessageBringsTheWindowBack) {
    WaitShown();
    window->hide();
    // What a second start of the program sends.
    window->HandleCustomMessage(Messages().InstanceMessage, 0, 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(MainWndTest, CloseButtonHidesToTheTrayOrMinimisesWithoutOne) {
    WaitShown();
    Click("closebtn");
    if (CTrayIcon::IsAvailable())
        EXPECT_FALSE(window->isVisible());
    else
        EXPECT_TRUE(window->isMinimized());  // a hidden window could never come back
    // The tray's left click brings it back.
    window->HandleCustomMessage(kUmTrayNotify, 0, CTrayIcon::kLeftButtonUp);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_NE(window->Workers().At(WorkerSlots::kWatcherSlot), nullptr);  // still running
}

TEST_F(MainWndTest, ExitEndsWithEveryThreadStoppedInTime) {
    WaitShown();
    QElapsedTimer timer;
    timer.start();
    window->OnMenuCommand("exit");
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(window->Workers().At(WorkerSlots::kWatcherSlot), nullptr);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWndTest, LightControlSwitchAndMessage) {
    WaitShown();
    EXPECT_EQ(window->LightControlStatusValue(), 1);
    Click("control_light_status");
    EXPECT_EQ(window->LightControlStatusValue(), 0);
    EXPECT_EQ(ui::GetText(Find("control_light_status")).GetData(), QStringLiteral("不控制灯光"));
    window->HandleCustomMessage(Messages().LightControlSetMessage, 1, 1);
    EXPECT_EQ(window->LightControlStatusValue(), 1);
    EXPECT_EQ(ui::GetText(Find("control_light_status")).GetData(), QStringLiteral("控制灯光"));
    window->HandleCustomMessage(Messages().LightControlSetMessage, 2, 0);
    EXPECT_EQ(window->LightControlStatusValue(), 1);
}

TEST_F(MainWndTest, WhileAsleepDeviceMessagesAreIgnored) {
    WaitShown();
    window->HandleCustomMessage(kWmPowerBroadcast, kPowerSuspend, 0);
    EXPECT_FALSE(CMainWnd::IsAwake());
    EXPECT_FALSE(window->HandleCustomMessage(kUmDeviceArrived, 0, 0));
    EXPECT_FALSE(window->HandleCustomMessage(kUmTrayNotify, 0, CTrayIcon::kLeftButtonUp));
    window->HandleCustomMessage(kWmPowerBroadcast, kPowerResumeAutomatic, 0);
    EXPECT_TRUE(CMainWnd::IsAwake());
    EXPECT_TRUE(window->HandleCustomMessage(kUmLinkMode, 99, 1));
}

TEST_F(MainWndTest, LayoutScaleAndFonts) {
    WaitShown();
    window->ApplyDpiLayout();
    EXPECT_TRUE(window->Dpi() == 96 || window->Dpi() == 144);
    EXPECT_EQ(window->Fonts().size(), 15u);
    EXPECT_TRUE(window->Fonts().at(50).bold());
}

}  // namespace
}  // namespace ravo
