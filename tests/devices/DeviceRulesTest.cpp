#include "devices/FunctionPageTabs.h"
#include "devices/KeyboardSyncCode.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(FunctionPageTabs, TableByPageAndKind) {
    struct Case {
        int page, kind, fn, keyFn;
    } cases[] = {{1, 1, 0, 0},  {2, 1, 0, 1}, {3, 1, 1, -1}, {4, 1, 3, -1}, {4, 2, 3, -1},
                 {4, 9, 0, 2},  {4, 6, 0, 2}, {5, 1, 2, -1}, {6, 1, 0, 1},  {7, 1, 0, 2},
                 {8, 1, 1, -1}, {0, 1, 0, 0}, {99, 9, 0, 0}};
    for (const auto& c : cases) {
        const FunctionPageTabs t = TabsForFunctionPage(c.page, c.kind);
        EXPECT_EQ(t.functionTab, c.fn) << c.page << "/" << c.kind;
        EXPECT_EQ(t.keyFunctionTab, c.keyFn) << c.page << "/" << c.kind;
    }
}

TEST(KeyboardSyncCode, ProfileSwitchCodes) {
    const SyncCodeEffect a = InterpretSyncCode(0x1123);
    EXPECT_TRUE(a.applies);
    EXPECT_EQ(a.profile, 3);
    EXPECT_TRUE(a.hasNibble);
    EXPECT_EQ(a.nibble, 2);
    const SyncCodeEffect b = InterpretSyncCode(0x1005);
    EXPECT_TRUE(b.applies);
    EXPECT_EQ(b.profile, 5);
    EXPECT_FALSE(b.hasNibble);
    for (uint32_t other : {0x401u, 0x402u, 0x1205u, 0x0F05u, 0x11123u, 0u}) {
        EXPECT_FALSE(InterpretSyncCode(other).applies) << std::hex << other;
    }
}

}  // namespace
}  // namespace ravo
