// The keyboard page built from its layout: key and light buttons bound by name, the settings
// controls, the function pages. With RAVO_PAGE_SCREENSHOT set, the page with a few lit keys is
// saved there as a PNG (see scripts/screenshot_keyboard_page.sh).
#include "devices/NorvexKeyboardDevice.h"

#include "app/toolkit/ControlOps.h"
#include "app/toolkit/LayoutLoader.h"
#include "app/toolkit/ResourceManager.h"
#include "app/toolkit/WindowUI.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/KeyMapControls.h"
#include "tests/support/TempXdgDirs.h"

#include <QCoreApplication>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace ravo {
namespace {

class PageWindow : public CWindowUI {
public:
    CDuiString GetSkinFile() const override { return ""; }
    void Notify(TNotifyUI&) override {}
};

class KeyboardPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterKeyMapControls();
        CResourceManager::Instance().SetResourcePath(QCoreApplication::applicationDirPath() +
                                                     "/skin/");
        QString error;
        QWidget* root = CLayoutLoader::Load(
            "XML\\DeviceXml\\keyboarddevice.xml", &window,
            [](const CDuiString& cls, QWidget* parent) -> QWidget* {
                if (cls == "NorvexKeyboardDevice") {
                    return new CNorvexKeyboardDevice(parent);
                }
                return nullptr;
            },
            &error);
        device = dynamic_cast<CNorvexKeyboardDevice*>(root);
        ASSERT_NE(device, nullptr) << error.toStdString();
        window.resize(device->size());
        device->SetPageLayout("XML\\DeviceXml\\keyboarddevice.xml");
        device->SetKeyCount(170);
        device->SetLightCount(170);
        device->SetFolderName("keyboard");
        device->SetDeviceKinds(1, 0);
        ASSERT_EQ(device->BuildPage(), 1);
    }

    test::TempXdgDirs xdg;
    PageWindow window;
    CNorvexKeyboardDevice* device = nullptr;
};

TEST_F(KeyboardPageTest, EveryKeyOfTheBoardIsBoundAsKeyAndLight) {
    int keys = 0;
    for (int n = 0; n < 170; ++n) {
        CDeviceKeyButtonUI* key = device->KeyButton(n);
        if (key != nullptr) {
            ++keys;
            EXPECT_EQ(device->LightButton(n), key) << n;
            EXPECT_TRUE(key->IsLightShown());
            EXPECT_EQ(key->LightColour(), 0xFFFFFFu);
        }
    }
    EXPECT_EQ(keys, 87);
    // Keys of the board are where a tenkeyless board has them: Esc top left, the arrows
    // bottom right, Space the widest key of the bottom row.
    const QRect esc = device->KeyButton(0)->geometry();
    const QRect right = device->KeyButton(115)->geometry();
    const QRect space = device->KeyButton(108)->geometry();
    EXPECT_LT(esc.x(), device->KeyButton(1)->geometry().x());
    EXPECT_GT(right.x(), device->KeyButton(112)->geometry().x());
    EXPECT_GT(right.y(), device->KeyButton(96)->geometry().y());
    EXPECT_GT(space.width(), 5 * esc.width());
    EXPECT_EQ(device->GetKeyLightContainer()->objectName(), "keyboard_device_key_light");
}

TEST_F(KeyboardPageTest, RepeatDelayOptionOutOfRangeSelectsTheFirst) {
    device->SetRepeatDelayOption(2);
    EXPECT_EQ(device->GetRepeatDelayOption(), 2);
    device->SetRepeatDelayOption(7);
    EXPECT_EQ(device->GetRepeatDelayOption(), 0);
    EXPECT_TRUE(ui::GetText(ui::FindControl(device, "repeat_delay_time_label1"))
                    .GetData()
                    .endsWith("250ms"));
    device->SetPollingRateOption(3);
    EXPECT_EQ(device->GetPollingRateOption(), 3);
    device->SetPollingRateOption(-1);
    EXPECT_EQ(device->GetPollingRateOption(), 0);
    device->SetWinLock(1);
    device->SetWasd(0);
    device->SetKey6(1);
    EXPECT_EQ(device->GetWinLock(), 1);
    EXPECT_EQ(device->GetWasd(), 0);
    EXPECT_EQ(device->GetKey6(), 1);
    device->SetRepeatRate(3);
    EXPECT_EQ(device->GetRepeatRate(), 3);
}

TEST_F(KeyboardPageTest, FunctionPageFourDependsOnTheDeviceKind) {
    auto* tabs = ui::FindControlAs<QStackedWidget>(device, "device_function_switch");
    auto* keyTabs = ui::FindControlAs<QStackedWidget>(device, "device_key_function_switch");
    ASSERT_NE(tabs, nullptr);
    ASSERT_NE(keyTabs, nullptr);
    device->SetFunctionPage(2);
    EXPECT_EQ(keyTabs->currentIndex(), 1);
    EXPECT_FALSE(device->KeyButton(110)->isEnabled());
    device->SetFunctionPage(4);
    EXPECT_EQ(tabs->currentIndex(), 3);
    EXPECT_EQ(keyTabs->currentIndex(), 1);
    EXPECT_EQ(device->GetFunctionPage(), 4);

    device->SetDeviceKinds(9, 0);
    device->SetFunctionPage(1);
    EXPECT_TRUE(device->KeyButton(110)->isEnabled());
    device->SetFunctionPage(4);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(keyTabs->currentIndex(), 2);
}

TEST_F(KeyboardPageTest, FrameOutputPaintsTheKeysAndMarksRemappedOnes) {
    const struct {
        int key;
        LightEntry colour;
    } lit[] = {
        {0, {255, 0, 0, 255}},     {44, {0, 255, 0, 255}},    {64, {0, 120, 255, 255}},
        {65, {0, 120, 255, 255}},  {66, {0, 120, 255, 255}},  {108, {255, 0, 255, 255}},
        {96, {255, 200, 0, 255}},  {113, {255, 200, 0, 255}}, {114, {255, 200, 0, 255}},
        {115, {255, 200, 0, 255}}, {1, {255, 90, 0, 200}},    {2, {255, 90, 0, 150}},
        {3, {255, 90, 0, 100}},    {75, {0, 255, 200, 255}},
    };
    for (int n = 0; n < 126; ++n) {
        device->SetLight(n, {40, 40, 50, 255});
    }
    for (const auto& l : lit) {
        device->SetLight(l.key, l.colour);
    }
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    device->OutputFrame();
    EXPECT_EQ(device->KeyButton(0)->LightColour(), 0x0000FFu);
    EXPECT_EQ(device->KeyButton(44)->LightColour(), 0xFF0000u);
    EXPECT_EQ(device->KeyButton(1)->LightAlpha(), 200);

    std::vector<KeyListEntry> keys(126);
    for (int n = 0; n < 126; ++n) {
        const KeyCodeBytes c = KeyboardDefaultCode(n);
        keys[n].current = {static_cast<uint16_t>(n), {c.type, c.p1, c.p2}, 0};
        keys[n].defaults = keys[n].current;
    }
    keys[57].current.code = {0x20, 0x00, 0x04};  // End types A
    device->SetAssignments(keys);
    device->RefreshKeyTexts();
    EXPECT_TRUE(device->KeyButton(57)->IsRemapped());
    EXPECT_FALSE(device->KeyButton(58)->IsRemapped());
    EXPECT_TRUE(device->KeyButton(57)->toolTip().contains("keyboard_key_A"));

    const QByteArray out = qgetenv("RAVO_PAGE_SCREENSHOT");
    if (!out.isEmpty()) {
        QTest::qWait(50);
        EXPECT_TRUE(window.grab().save(QString::fromLocal8Bit(out)));
    }
}

}  // namespace
}  // namespace ravo
