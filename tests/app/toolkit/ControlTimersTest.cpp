// ctest-labels: threads
#include "tests/app/toolkit/ToolkitFixture.h"

#include <QPushButton>
#include <QTest>

#include <atomic>
#include <thread>

namespace ravo::test {
namespace {

class ControlTimersTest : public ToolkitTest {};

TEST_F(ControlTimersTest, TimerSetFromWorkerFiresOnUiThreadAsNotification) {
    auto window = OpenControls();
    QWidget* button = window->FindControl("closebtn");
    std::thread worker([button] { ui::SetTimer(button, 21, 5); });
    worker.join();
    ASSERT_TRUE(WaitFor([&] { return window->Count("timer", "closebtn") >= 2; }))
        << "a timer repeats until killed";
    const Received* fired = window->Last("timer", "closebtn");
    EXPECT_EQ(fired->wParam, 21u);
    EXPECT_EQ(fired->thread, window->thread());
    EXPECT_NE(fired->thread, nullptr);

    std::thread killer([button] { ui::KillTimer(button, 21); });
    killer.join();
    ASSERT_TRUE(WaitFor([&] { return !ui::HasTimer(button, 21); }));
    const size_t count = window->received.size();
    QTest::qWait(40);
    EXPECT_EQ(window->received.size(), count) << "killed timers stay quiet";
}

TEST_F(ControlTimersTest, OwnControlTimersGoToDoTimerAndWindowTimersToOnTimer) {
    auto window = OpenControls();
    auto* swatch = ui::FindControlAs<ColorSwatch>(window->GetRoot(), "color_swatch");
    ASSERT_NE(swatch, nullptr);
    std::atomic<bool> go{false};
    std::thread worker([&] {
        ui::SetTimer(swatch, 3, 1);
        window->SetTimer(1066, 1);
        go = true;
    });
    worker.join();
    ASSERT_TRUE(go);
    ASSERT_TRUE(
        WaitFor([&] { return !swatch->timerIds.empty() && !window->windowTimers.empty(); }));
    EXPECT_EQ(swatch->timerIds.front(), 3);
    EXPECT_EQ(window->windowTimers.front(), 1066);
    ui::KillAllTimers(swatch);
    window->KillTimer(1066);
    EXPECT_FALSE(ui::HasTimer(swatch, 3));
    EXPECT_FALSE(ui::HasTimer(window.get(), 1066));
}

TEST_F(ControlTimersTest, SettingARunningTimerAgainRestartsItWithTheNewPeriod) {
    auto window = OpenControls();
    QWidget* button = window->FindControl("closebtn");
    ui::SetTimer(button, 9, 60000);
    ui::SetTimer(button, 9, 1);
    EXPECT_TRUE(ui::HasTimer(button, 9));
    ASSERT_TRUE(WaitFor([&] { return window->Count("timer", "closebtn") >= 1; }, 2000));
    ui::KillTimer(button, 9);
}

TEST_F(ControlTimersTest, RequestsForAControlDeletedMeanwhileAreDropped) {
    auto* button = new QPushButton;
    std::atomic<bool> queued{false};
    std::thread worker([&] {
        ui::SetTimer(button, 1, 1);
        queued = true;
    });
    worker.join();
    ASSERT_TRUE(queued);
    delete button;  // before the UI thread ran the request
    QCoreApplication::processEvents();
    SUCCEED();
}

TEST_F(ControlTimersTest, PostedMessagesArriveInOrderOnUiThread) {
    struct Window : RecordingWindow {
        using RecordingWindow::RecordingWindow;
        bool HandleCustomMessage(unsigned message, quintptr wParam, qintptr) override {
            got.push_back({message, wParam});
            threads.push_back(QThread::currentThread());
            return true;
        }
        std::vector<std::pair<unsigned, quintptr>> got;
        std::vector<QThread*> threads;
    } window("XML_CONTROLS");
    ASSERT_TRUE(window.Create(nullptr, "w", 0, 0, 10, 10));
    std::thread worker([&] {
        for (quintptr i = 0; i < 50; ++i)
            window.PostMessage(3090, i);
    });
    worker.join();
    ASSERT_TRUE(WaitFor([&] { return window.got.size() == 50; }));
    for (quintptr i = 0; i < 50; ++i)
        EXPECT_EQ(window.got[i].second, i);
    for (QThread* t : window.threads)
        EXPECT_EQ(t, window.thread());
}

}  // namespace
}  // namespace ravo::test
