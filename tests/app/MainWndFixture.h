#pragma once

// The main window on an empty virtual HID bus, hidden until its first scan as the program
// starts it; its layout and control classes come from the skin beside the test program.

#include "app/ControlClasses.h"
#include "app/MainMessages.h"
#include "app/MainWnd.h"
#include "app/RegisteredMessages.h"
#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/ResourceManager.h"
#include "device/HidBus.h"
#include "virtualbus/VirtualHidBus.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace ravo::test {

class MainWndFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CResourceManager& resources = CResourceManager::Instance();
        resources.SetResourcePath(QCoreApplication::applicationDirPath() + "/skin/");
        ASSERT_TRUE(resources.LoadResource("res.xml"));
        RegisterControlClasses(CControlFactory::Instance());
        RegisterProgramMessages();
    }

    void SetUp() override {
        bus = virt::VirtualHidBus::Create();
        HidBus::Instance().SetBackends({bus});
        window = std::make_unique<CMainWnd>();
        window->HandleCustomMessage(kWmPowerBroadcast, kPowerResumeAutomatic, 0);
        QString error;
        ASSERT_TRUE(window->Create(nullptr, kProductTitle, 0, 0, CMainWnd::kWidth,
                                   CMainWnd::kHeight, &error))
            << error.toStdString();
    }

    void TearDown() override {
        window.reset();
        HidBus::Instance().SetBackends({});
    }

    QWidget* Find(const char* name) const { return window->FindControl(name); }
    void WaitShown() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->WasShown(); }, 5000));
    }
    void Click(const char* name) {
        auto* button = qobject_cast<QAbstractButton*>(Find(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    std::shared_ptr<virt::VirtualHidBus> bus;
    std::unique_ptr<CMainWnd> window;
};

}  // namespace ravo::test
