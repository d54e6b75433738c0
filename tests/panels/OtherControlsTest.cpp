#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/WindowUI.h"
#include "panels/AudioRecordUI.h"
#include "panels/ChartViewUI.h"
#include "panels/CircleProgressUI.h"
#include "panels/HandImgButtonUI.h"
#include "panels/HandImgSelectButtonUI.h"
#include "panels/KeyMapControls.h"
#include "panels/RedioMacroButtonUI.h"
#include "panels/WndUI.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

class RecordingWindow : public CWindowUI {
public:
    CDuiString GetSkinFile() const override { return ""; }
    void Notify(TNotifyUI& msg) override { seen.push_back(msg.sType); }
    int Count(const char* type) const {
        return static_cast<int>(std::count(seen.begin(), seen.end(), CDuiString(type)));
    }
    std::vector<CDuiString> seen;
};

void Click(QWidget* w, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), w->mapToGlobal(QPointF(at)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), w->mapToGlobal(QPointF(at)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

TEST(CircleProgress, SweepIsTheValuesShareOfTheRange) {
    CCircleProgressUI c;
    struct {
        int min, max, value;
        double sweep;
    } cases[] = {{0, 100, 25, 90.0}, {0, 100, 100, 360.0}, {0, 200, 50, 90.0}, {0, 0, 0, 0.0}};
    for (const auto& k : cases) {
        c.setRange(k.min, k.max);
        c.setValue(k.value);
        EXPECT_DOUBLE_EQ(c.SweepDegrees(), k.sweep) << k.max << " " << k.value;
    }
    EXPECT_TRUE(c.SetAttribute("forecolor", "#FF00FF00"));
    c.resize(60, 60);
    EXPECT_FALSE(c.grab().isNull());
}

TEST(HandImgButton, DeleteCornerRaisesDeleteInsteadOfClicking) {
    RecordingWindow window;
    auto* b = new CHandImgButtonUI(&window);
    b->setGeometry(0, 0, 100, 80);
    QSignalSpy clicked(b, &QPushButton::clicked);
    EXPECT_EQ(b->DeleteArea(), QRect(70, 51, 20, 20));
    Click(b, {75, 60});
    EXPECT_EQ(window.Count(CHandImgButtonUI::kDeleteClick), 1);
    EXPECT_EQ(clicked.count(), 0);
    Click(b, {10, 10});
    EXPECT_EQ(window.Count(CHandImgButtonUI::kDeleteClick), 1);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(HandImgSelectButton, CursorNamesAndDragging) {
    Qt::CursorShape shape = Qt::ArrowCursor;
    EXPECT_TRUE(CHandImgSelectButtonUI::CursorShapeOf("hand", &shape));
    EXPECT_EQ(shape, Qt::PointingHandCursor);
    EXPECT_TRUE(CHandImgSelectButtonUI::CursorShapeOf("SIZEWE", &shape));
    EXPECT_EQ(shape, Qt::SizeHorCursor);
    EXPECT_FALSE(CHandImgSelectButtonUI::CursorShapeOf("pointer", &shape));

    QWidget parent;
    parent.resize(200, 100);
    auto* b = new CHandImgSelectButtonUI(&parent);
    b->setGeometry(10, 10, 20, 20);
    EXPECT_TRUE(b->SetAttribute("cursor", "cross"));
    EXPECT_EQ(b->cursor().shape(), Qt::CrossCursor);
    EXPECT_TRUE(b->SetAttribute("source", "0,0,20,10"));
    EXPECT_EQ(b->Source(), QRect(0, 0, 20, 10));

    auto send = [&](QEvent::Type t, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(t, QPointF(at), b->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(b, &e);
    };
    send(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {45, 15}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(b->pos(), QPoint(50, 20));
    send(QEvent::MouseMove, {1000, 1000}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(b->pos(), QPoint(180, 80));  // stays inside its container
    send(QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
}

TEST(HandImgSelectButton, EnterAndLeaveAreNotified) {
    RecordingWindow window;
    auto* b = new CHandImgSelectButtonUI(&window);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(b, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(b, &leave);
    EXPECT_EQ(window.Count("msenter"), 1);
    EXPECT_EQ(window.Count("msleave"), 1);
}

TEST(RedioMacroButton, TimerEventsChangeTheFadeBackAndForth) {
    RecordingWindow window;
    auto* b = new CRedioMacroButtonUI(&window);
    std::vector<int> fades;
    for (int i = 0; i < 30; ++i) {
        b->DoTimer(7);
        fades.push_back(b->Fade());
    }
    EXPECT_EQ(fades.front(), 240);
    EXPECT_EQ(*std::min_element(fades.begin(), fades.end()), 85);
    EXPECT_EQ(*std::max_element(fades.begin(), fades.end()), 255);
    EXPECT_EQ(window.Count("timer"), 0);
}

TEST(AudioRecord, ColumnsScaleBy8192AndClip) {
    CAudioRecordUI a;
    a.resize(500, 100);
    std::vector<int32_t> samples = {0, 4096, 8192, -8192, 100000};
    a.SetSamples(samples);
    EXPECT_EQ(a.ColumnHeight(0), 0);
    EXPECT_EQ(a.ColumnHeight(1), 50);
    EXPECT_EQ(a.ColumnHeight(2), 100);
    EXPECT_EQ(a.ColumnHeight(3), 100);
    EXPECT_EQ(a.ColumnHeight(4), 100);
    EXPECT_EQ(a.ColumnHeight(499), 0);
    EXPECT_EQ(a.ColumnHeight(500), 0);
    std::vector<int32_t> many(900, 8192);
    a.SetSamples(many);
    EXPECT_EQ(a.ColumnHeight(499), 100);
    EXPECT_FALSE(a.grab().isNull());
}

TEST(ChartView, AttributesAndItems) {
    CChartViewUI c;
    EXPECT_EQ(c.GetView(), CChartViewUI::View::Pie);
    EXPECT_TRUE(c.SetAttribute("view", "histpgram"));
    EXPECT_EQ(c.GetView(), CChartViewUI::View::Histogram);
    EXPECT_TRUE(c.SetAttribute("pillarimagewidth", "12"));
    EXPECT_TRUE(c.SetAttribute("showhtml", "true"));
    c.AddItem("a", 3);
    c.AddItem("b", -2);
    c.AddItem("c", std::nan(""));
    ASSERT_EQ(c.Items().size(), 3u);
    EXPECT_EQ(c.Items()[1].value, 0);
    EXPECT_EQ(c.Items()[2].value, 0);
    c.resize(200, 120);
    EXPECT_FALSE(c.grab().isNull());
    c.SetAttribute("view", "pie");
    EXPECT_FALSE(c.grab().isNull());
}

TEST(Wnd, HostedWindowFollowsTheControl) {
    QWidget parent;
    parent.resize(200, 200);
    auto* host = new CWndUI(&parent);
    host->setGeometry(10, 10, 50, 40);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    auto* hosted = new QWidget;
    host->Attach(hosted);
    EXPECT_EQ(hosted->parentWidget(), host);
    EXPECT_EQ(hosted->geometry(), QRect(0, 0, 50, 40));
    host->resize(80, 60);
    EXPECT_EQ(hosted->size(), QSize(80, 60));
    host->hide();
    EXPECT_FALSE(hosted->isVisible());
    host->show();
    EXPECT_TRUE(hosted->isVisible());
    EXPECT_EQ(host->Detach(), hosted);
    EXPECT_EQ(hosted->parentWidget(), nullptr);
    delete hosted;
}

TEST(Registry, EveryControlIsMadeByItsNames) {
    RegisterKeyMapControls();
    for (const char* name :
         {"CircleProgress", "CCircleProgressUI", "HandImgButton", "HandImgSelectButton",
          "RedioMacroButton", "AudioRecord", "CWndUI", "CChartViewUI", "SelectPanel"}) {
        QWidget* w = CControlFactory::Instance().CreateControl(name, nullptr);
        EXPECT_NE(w, nullptr) << name;
        delete w;
    }
}

}  // namespace
}  // namespace ravo
