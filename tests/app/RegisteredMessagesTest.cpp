// ctest-labels: threads
#include "app/RegisteredMessages.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace ravo {
namespace {

TEST(RegisteredMessagesTest, NamesGetStableDistinctNumbers) {
    CRegisteredMessages& registry = CRegisteredMessages::Instance();
    const unsigned a = registry.Register("Test_A");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(registry.Register("Test_A"), a);
    EXPECT_NE(registry.Register("Test_B"), a);
    EXPECT_EQ(registry.Find("Test_A"), a);
    EXPECT_EQ(registry.Find("Never_Registered"), 0u);
    EXPECT_EQ(registry.NameOf(a), "Test_A");
    EXPECT_EQ(registry.NameOf(1), "");
    EXPECT_EQ(registry.Register(""), 0u);
}

TEST(RegisteredMessagesTest, ProgramMessagesAreAllRegisteredAndDistinct) {
    const ProgramMessages& m = RegisterProgramMessages();
    const std::set<unsigned> ids = {m.InstanceMessage,           m.SettingsRelayMessage,
                                    m.LightControlNotifyMessage, m.LightControlSetMessage,
                                    m.DeviceReportMessage,       m.AudioCaptureMessage};
    EXPECT_EQ(ids.size(), 6u);
    EXPECT_EQ(ids.count(0u), 0u);
    CRegisteredMessages& registry = CRegisteredMessages::Instance();
    EXPECT_EQ(registry.NameOf(m.InstanceMessage), "RAVO TKL RGB");
    EXPECT_EQ(registry.NameOf(m.AudioCaptureMessage), "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}");
    EXPECT_NE(registry.Find("UWM_MOUSERBUTTONDOWN_USER_MSG"), 0u);
    EXPECT_NE(registry.Find("Game_Death"), 0u);
    EXPECT_EQ(RegisterProgramMessages().DeviceReportMessage, m.DeviceReportMessage);
    EXPECT_EQ(ProcessStartMessageNames().size(), 23);
}

TEST(RegisteredMessagesTest, ConcurrentRegistrationsAgree) {
    CRegisteredMessages& registry = CRegisteredMessages::Instance();
    std::vector<std::vector<unsigned>> seen(4);
    std::vector<std::thread> threads;
    for (size_t t = 0; t < seen.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i)
                seen[t].push_back(registry.Register(QStringLiteral("Concurrent_%1").arg(i)));
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (size_t t = 1; t < seen.size(); ++t)
        EXPECT_EQ(seen[t], seen[0]);
    EXPECT_EQ(std::set<unsigned>(seen[0].begin(), seen[0].end()).size(), 100u);
}

}  // namespace
}  // namespace ravo
