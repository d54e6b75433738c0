#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/WindowUI.h"
#include "panels/DeviceKeyButtonUI.h"
#include "panels/KeyMapControls.h"
#include "panels/SelectPanelUI.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

// A window that records the notifications its controls raise.
class RecordingWindow : public CWindowUI {
public:
    CDuiString GetSkinFile() const override { return ""; }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType != notify::kTimer) {
            seen.push_back({msg.sType, msg.pSender});
        }
    }
    int Count(const char* type) const {
        int n = 0;
        for (const auto& s : seen) {
            n += s.type == type;
        }
        return n;
    }
    struct Seen {
        CDuiString type;
        QWidget* sender;
    };
    std::vector<Seen> seen;
};

// Counts paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

void Send(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(to, &e);
}

// A 3 x 2 grid of 40 x 30 key buttons, 10 apart, in a panel inside a window.
class KeyMapFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 300);
        panel = new CSelectPanelUI(&window);
        panel->setGeometry(0, 0, 400, 300);
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 3; ++col) {
                auto* key = new CDeviceKeyButtonUI(panel);
                key->setObjectName(QString("key_%1").arg(row * 3 + col));
                key->setGeometry(10 + col * 50, 10 + row * 40, 40, 30);
                keys.push_back(key);
            }
        }
    }

    // Press on `from` (a key or the panel), move to `to` in panel coordinates, release:
    // the mouse stays with the widget pressed, as Qt does.
    void Drag(QWidget* from, QPoint fromPanel, std::vector<QPoint> moves) {
        auto local = [&](QPoint p) { return from == panel ? p : from->mapFromParent(p); };
        Send(from, QEvent::MouseButtonPress, local(fromPanel), Qt::LeftButton, Qt::LeftButton);
        for (QPoint p : moves) {
            Send(from, QEvent::MouseMove, local(p), Qt::NoButton, Qt::LeftButton);
        }
        const QPoint end = moves.empty() ? fromPanel : moves.back();
        Send(from, QEvent::MouseButtonRelease, local(end), Qt::LeftButton, Qt::NoButton);
    }

    std::vector<bool> Selected() const {
        std::vector<bool> s;
        for (auto* k : keys) {
            s.push_back(k->IsSelected());
        }
        return s;
    }

    RecordingWindow window;
    CSelectPanelUI* panel = nullptr;
    std::vector<CDeviceKeyButtonUI*> keys;
};

TEST_F(KeyMapFixture, DragFromKeyToKeySelectsTouchedKeysOnly) {
    keys[5]->SetSelected(true);  // outside the drag: must be cleared
    // From inside key 0 to inside key 4 (row 1, column 1).
    Drag(keys[0], {20, 20}, {{40, 30}, {75, 60}});
    EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false, true, true, false}));
    EXPECT_EQ(window.Count(CSelectPanelUI::kSelectEnd), 1);
    EXPECT_EQ(window.seen.back().sender, panel);
    EXPECT_EQ(panel->SelectionRect(), QRect(QPoint(20, 20), QPoint(75, 60)));
}

TEST_F(KeyMapFixture, DragUpwardsAndFromEmptyPanelNormalisesTheRectangle) {
    // From the empty area right of the grid up-left into key 2's column.
    Drag(panel, {200, 90}, {{180, 80}, {125, 15}});
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, true, false, false, true}));
    EXPECT_EQ(window.Count(CSelectPanelUI::kSelectEnd), 1);
}

TEST_F(KeyMapFixture, DragOverNoKeyClearsTheSelection) {
    keys[0]->SetSelected(true);
    Drag(panel, {300, 200}, {{350, 250}});
    EXPECT_EQ(Selected(), std::vector<bool>(6, false));
    EXPECT_EQ(window.Count(CSelectPanelUI::kSelectEnd), 1);
}

TEST_F(KeyMapFixture, PlainClickSelectsNothingAndRaisesNoSelectEnd) {
    keys[1]->SetSelected(true);
    Drag(keys[0], {20, 20}, {});
    Drag(panel, {300, 200}, {});
    EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false, false, false, false}));
    EXPECT_EQ(window.Count(CSelectPanelUI::kSelectEnd), 0);
}

TEST_F(KeyMapFixture, DisabledPanelDoesNotSelect) {
    panel->setEnabled(false);
    Drag(panel, {0, 0}, {{390, 290}});
    EXPECT_EQ(Selected(), std::vector<bool>(6, false));
    EXPECT_EQ(window.Count(CSelectPanelUI::kSelectEnd), 0);
}

TEST_F(KeyMapFixture, RealMouseDragThroughTheWindowSystem) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mousePress(keys[0], Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(keys[0], keys[0]->mapFromParent(QPoint(70, 55)));
    QTest::mouseRelease(keys[0], Qt::LeftButton, {}, keys[0]->mapFromParent(QPoint(70, 55)));
    EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false, true, true, false}));
    EXPECT_EQ(window.Count(CSelectPanelUI::kSelectEnd), 1);
}

TEST_F(KeyMapFixture, DoubleClickRaisesDbclickOnlyWhenEnabled) {
    Send(keys[2], QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(window.Count("dbclick"), 1);
    EXPECT_TRUE(keys[2]->isDown());
    Send(keys[2], QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    keys[3]->setEnabled(false);
    Send(keys[3], QEvent::MouseButtonDblClick, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(window.Count("dbclick"), 1);
}

TEST_F(KeyMapFixture, KeySetImageShownRepaintsOnlyOnChange) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    PaintCounter counter;
    keys[0]->installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;
    keys[0]->SetKeySetImageShown(true);  // already shown
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    keys[0]->SetKeySetImageShown(false);
    QApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_FALSE(keys[0]->IsKeySetImageShown());
}

TEST(DeviceKeyButton, DefaultsAttributesAndLightColour) {
    CDeviceKeyButtonUI key;
    EXPECT_EQ(key.GetClass(), "DeviceKeyButton");
    EXPECT_EQ(key.LightColour(), 255u);
    EXPECT_EQ(key.LightAlpha(), 200);
    EXPECT_FALSE(key.IsLightShown());
    EXPECT_TRUE(key.IsKeySetImageShown());
    EXPECT_FALSE(key.IsSelected());

    EXPECT_TRUE(key.SetAttribute("lightimage", "file='light.png'"));
    EXPECT_TRUE(key.SetAttribute("keysetimage", "keyset.png"));
    EXPECT_TRUE(key.SetAttribute("gmnametextcolor", "#FF00FF00"));
    EXPECT_TRUE(key.SetAttribute("gmnametextcolor", "not hex"));
    EXPECT_EQ(key.GetLightImage(), "file='light.png'");
    EXPECT_EQ(key.GetKeySetImage(), "keyset.png");

    key.SetLightColour(0xFFFFFF, 255, true);
    EXPECT_TRUE(key.IsLightShown());
    EXPECT_EQ(key.LightAlpha(), 255);
    key.SetLightColour(0x0, 999, true);
    EXPECT_EQ(key.LightAlpha(), 255);
}

TEST(DeviceKeyButton, PackedColourUnpacksToRedGreenBlue) {
    // Device objects pack red | blue << 8 | green << 16.
    const QColor c = CDeviceKeyButtonUI::UnpackLightColour(0x20'40'10, 128);
    EXPECT_EQ(c.red(), 0x10);
    EXPECT_EQ(c.blue(), 0x40);
    EXPECT_EQ(c.green(), 0x20);
    EXPECT_EQ(c.alpha(), 128);
}

TEST(KeyMapControls, FactoryMakesThemByLayoutAndClassName) {
    RegisterKeyMapControls();
    const auto& f = CControlFactory::Instance();
    for (const char* name : {"DeviceKeyButton", "CDeviceKeyButtonUI", "SelectPanel"}) {
        QWidget* w = f.CreateControl(name, nullptr);
        ASSERT_NE(w, nullptr) << name;
        delete w;
    }
    QWidget* key = f.CreateControl("devicekeybutton", nullptr);
    EXPECT_NE(dynamic_cast<CDeviceKeyButtonUI*>(key), nullptr);
    delete key;
}

}  // namespace
}  // namespace ravo
