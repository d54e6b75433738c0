#include "app/DeviceOptionUI.h"
#include "app/MpDevicePowerUI.h"
#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/ControlOps.h"
#include "app/toolkit/LayoutLoader.h"
#include "app/toolkit/ResourceManager.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace ravo {
namespace {

class SelectorControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        CResourceManager::Instance().SetResourcePath(QCoreApplication::applicationDirPath() +
                                                     "/skin/");
        CControlFactory::Instance().RegisterControl<CDeviceOptionUI>("DeviceOption");
        CControlFactory::Instance().RegisterControl<CMpDevicePowerUI>("MpDevicePower");
    }
    template <class T>
    std::unique_ptr<T> Load(const char* layout) {
        QString error;
        QWidget* root = CLayoutLoader::Load(layout, nullptr, {}, &error);
        EXPECT_NE(root, nullptr) << error.toStdString();
        auto* typed = dynamic_cast<T*>(root);
        EXPECT_NE(typed, nullptr);
        return std::unique_ptr<T>(typed);
    }
};

TEST_F(SelectorControlsTest, DeviceOptionBindsIconsAndTimers) {
    auto item = Load<CDeviceOptionUI>("XML\\CustomControlXML\\DeviceOption.xml");
    ASSERT_TRUE(item);
    ASSERT_TRUE(item->BindSubControls());
    EXPECT_EQ(item->Icons().normal, "common/device_ico/unknow_device_normal.png");
    item->SetDeviceType(1, 0);
    EXPECT_EQ(item->Icons().selected, "common/device_ico/kb_device_selected.png");
    item->SetDeviceType(3, 5);  // unknown pad kind keeps the icons
    EXPECT_EQ(item->Icons().selected, "common/device_ico/kb_device_selected.png");
    EXPECT_FALSE(item->SelectButton()->icon().isNull());

    item->SetButtonSelected(true);
    EXPECT_TRUE(item->ButtonSelected());
    item->SetButtonSelected(false);
    EXPECT_FALSE(item->ButtonSelected());
    item->SetSyncChecked(true);
    EXPECT_TRUE(item->SyncChecked());

    item->SetItemVisible(false);
    EXPECT_FALSE(item->ItemVisible());

    std::vector<int> fired;
    item->SetTimerHandler([&](CDeviceOptionUI*, int id) { fired.push_back(id); });
    item->StartTimer(1000, 5);
    item->StartTimer(1005, 10);
    item->StopTimer(1005);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fired.empty(); }, 2000));
    EXPECT_EQ(fired.front(), 1000);
}

TEST_F(SelectorControlsTest, PowerIndicatorShowsWhatTheDeviceReports) {
    auto power = Load<CMpDevicePowerUI>("XML\\CustomControlXML\\MpDevicePower.xml");
    ASSERT_TRUE(power);
    power->BindSubControls();
    power->SetDeviceType(3, 0);
    // As the device object reports it.
    IPowerDisplay& display = *power;
    display.SetPowerStatus(nullptr, 6);
    display.SetPowerStatus(nullptr, -1);
    const uint8_t status[] = {80, 0, 0, 1, 0, 1};
    display.SetPowerStatus(status, static_cast<int>(sizeof status));
    EXPECT_EQ(ui::GetText(ui::FindControl(power.get(), "device_power_value")).GetData(), "80%");
    EXPECT_EQ(ui::GetValue(ui::FindControl(power.get(), "device_Power_progress")), 20);
    EXPECT_TRUE(ui::IsVisible(ui::FindControl(power.get(), "device_wuxian_logo")));
    EXPECT_EQ(ui::GetBkImage(ui::FindControl(power.get(), "device_power_status")).GetData(),
              "file='power/powered.png'");
    display.SetPowerFlag(0);
    EXPECT_FALSE(ui::IsVisible(ui::FindControl(power.get(), "device_power_Layout")));
}

}  // namespace
}  // namespace ravo
