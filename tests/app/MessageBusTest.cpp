// ctest-labels: threads
#include "app/MessageBus.h"
#include "app/RegisteredMessages.h"
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace ravo {
namespace {

bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

struct Got {
    unsigned id;
    quintptr wParam;
    qintptr lParam;
    QThread* thread;
};

// Two programs on one session bus: each with its own connection.
class MessageBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterProgramMessages();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    }
    static QDBusConnection Connect(const QString& name) {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    }
};

TEST_F(MessageBusTest, PostedMessageArrivesByNameOnUiThread) {
    CMessageBus receiver(Connect("receiver"));
    CMessageBus sender(Connect("sender"));
    ASSERT_TRUE(receiver.Open());
    ASSERT_TRUE(sender.Open());
    std::vector<Got> got;
    receiver.SetMessageHandler([&](unsigned id, quintptr w, qintptr l) {
        got.push_back({id, w, l, QThread::currentThread()});
    });
    const QString target = receiver.Connection().baseService();
    bool delivered = false;
    bool unknownDelivered = false;
    std::atomic<bool> posted{false};
    // The sender waits for the bus while this thread runs the receiver's event loop.
    std::thread worker([&] {
        delivered = sender.PostTo(target, msgname::kDeviceReport, 0, 0);
        unknownDelivered = sender.PostTo(target, "NOT_REGISTERED_HERE", 1, 1);
        posted = true;
    });
    const bool arrived = WaitFor([&] { return posted && got.size() == 1; });
    worker.join();
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(delivered);
    EXPECT_TRUE(unknownDelivered) << "delivered, then ignored by the receiver";
    QCoreApplication::processEvents();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].id, Messages().DeviceReportMessage);
    EXPECT_EQ(got[0].thread, QThread::currentThread());
    EXPECT_FALSE(sender.PostTo("org.ravo.NobodyHere", msgname::kInstance, 0, 1, 500));
}

TEST_F(MessageBusTest, BroadcastReachesEveryProgramWithItsValues) {
    CMessageBus a(Connect("a"));
    CMessageBus b(Connect("b"));
    ASSERT_TRUE(a.Open());
    ASSERT_TRUE(b.Open());
    std::vector<Got> gotA;
    std::vector<Got> gotB;
    a.SetMessageHandler([&](unsigned id, quintptr w, qintptr l) {
        gotA.push_back({id, w, l, nullptr});
    });
    b.SetMessageHandler([&](unsigned id, quintptr w, qintptr l) {
        gotB.push_back({id, w, l, nullptr});
    });
    ASSERT_TRUE(a.BroadcastMessage(msgname::kLightControlNotify, 1, 1));
    ASSERT_TRUE(WaitFor([&] { return !gotA.empty() && !gotB.empty(); }));
    EXPECT_EQ(gotB[0].id, Messages().LightControlNotifyMessage);
    EXPECT_EQ(gotB[0].wParam, 1u);
    EXPECT_EQ(gotB[0].lParam, 1);
    EXPECT_EQ(gotA[0].id, gotB[0].id) << "the sender hears its own broadcast, as on the desktop";

    a.Close();
    gotA.clear();
    gotB.clear();
    ASSERT_TRUE(b.BroadcastMessage("Game_Start", 0, 3));
    ASSERT_TRUE(WaitFor([&] { return !gotB.empty(); }));
    EXPECT_TRUE(gotA.empty()) << "a closed bus end hears nothing";
    EXPECT_EQ(gotB[0].id, CRegisteredMessages::Instance().Find("Game_Start"));
}

TEST_F(MessageBusTest, CopyDataBlocksArriveWhole) {
    CMessageBus receiver(Connect("cd_receiver"));
    CMessageBus sender(Connect("cd_sender"));
    ASSERT_TRUE(receiver.Open());
    QByteArray received;
    unsigned receivedId = 0;
    receiver.SetCopyDataHandler([&](unsigned id, const QByteArray& data) {
        receivedId = id;
        received = data;
    });
    QByteArray block(1024, '\0');
    block[0] = 2;
    block[1023] = 7;
    bool ok = false;
    std::atomic<bool> sent{false};
    std::thread worker([&] {
        ok = sender.CopyDataTo(receiver.Connection().baseService(), 5, block);
        sent = true;
    });
    const bool arrived = WaitFor([&] { return sent && receivedId == 5; });
    worker.join();
    ASSERT_TRUE(arrived);
    EXPECT_TRUE(ok);
    EXPECT_EQ(received, block);
}

TEST_F(MessageBusTest, WithoutABusNothingIsSentAndNothingBreaks) {
    CMessageBus bus(QDBusConnection(QStringLiteral("never-connected")));
    QString error;
    EXPECT_FALSE(bus.Open(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(bus.BroadcastMessage(msgname::kLightControlNotify, 1, 1));
    EXPECT_FALSE(bus.PostTo("org.ravo.TklRgb", msgname::kInstance, 0, 1));
}

TEST_F(MessageBusTest, OneInstanceOwnsTheNameUntilItReleasesIt) {
    CSingleInstance first(Connect("first"), "org.ravo.TklRgb.Test");
    CSingleInstance second(Connect("second"), "org.ravo.TklRgb.Test");
    EXPECT_EQ(first.Claim(), CSingleInstance::Role::First);
    EXPECT_TRUE(first.UsesBus());
    EXPECT_EQ(second.Claim(), CSingleInstance::Role::Second);
    first.Release();
    CSingleInstance third(Connect("third"), "org.ravo.TklRgb.Test");
    EXPECT_EQ(third.Claim(), CSingleInstance::Role::First);
}

TEST_F(MessageBusTest, WithoutABusALockFileGuardsTheInstance) {
    QTemporaryDir dir;
    const QString lock = dir.filePath("instance.lock");
    CSingleInstance first(QDBusConnection(QStringLiteral("never-connected")), QString(), lock);
    CSingleInstance second(QDBusConnection(QStringLiteral("never-connected")), QString(), lock);
    EXPECT_EQ(first.Claim(), CSingleInstance::Role::First);
    EXPECT_FALSE(first.UsesBus());
    EXPECT_EQ(second.Claim(), CSingleInstance::Role::Second);
    first.Release();
    CSingleInstance third(QDBusConnection(QStringLiteral("never-connected")), QString(), lock);
    EXPECT_EQ(third.Claim(), CSingleInstance::Role::First);

    // A lock file that cannot be made does not stop the program.
    CSingleInstance unguarded(QDBusConnection(QStringLiteral("never-connected")), QString(),
                              dir.filePath("missing/folder/instance.lock"));
    EXPECT_EQ(unguarded.Claim(), CSingleInstance::Role::First);
}

}  // namespace
}  // namespace ravo
