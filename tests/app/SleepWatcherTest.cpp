#include "app/SleepWatcher.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace ravo {
namespace {

// The tests' private session bus stands in for the system bus; the test owns logind's name on
// it and sends the signal.
TEST(SleepWatcher, ReportsSuspendAndResume) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        GTEST_SKIP() << "no session bus";
    ASSERT_TRUE(bus.registerService("org.freedesktop.login1"));
    std::vector<bool> events;
    CSleepWatcher watcher([&](bool suspending) { events.push_back(suspending); });
    ASSERT_TRUE(watcher.Start(bus));
    for (bool start : {true, false}) {
        QDBusMessage signal = QDBusMessage::createSignal(
            "/org/freedesktop/login1", "org.freedesktop.login1.Manager", "PrepareForSleep");
        signal << start;
        ASSERT_TRUE(bus.send(signal));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return events.size() == 2; }, 3000));
    EXPECT_EQ(events, (std::vector<bool>{true, false}));
}

TEST(SleepWatcher, NoBusNoReports) {
    CSleepWatcher watcher([](bool) {});
    EXPECT_FALSE(watcher.Start(QDBusConnection(QStringLiteral("not-connected"))));
}

}  // namespace
}  // namespace ravo
