#include "app/TrayMenuPlacement.h"

#include <gtest/gtest.h>

namespace ravo {
namespace {

TEST(TrayMenuPlacement, OpensAwayFromThePanel) {
    const QRect screen(0, 0, 1920, 1080);
    const QPoint cursor(1800, 1060);
    struct Case {
        const char* what;
        QRect available;
        QPoint point;
        int align;
    };
    const Case cases[] = {
        {"no panel", screen, cursor, 6},
        {"top", QRect(0, 30, 1920, 1050), QPoint(1800, 31), 12},
        {"left", QRect(48, 0, 1872, 1080), QPoint(49, 1060), 18},
        {"bottom", QRect(0, 0, 1920, 1040), QPoint(1800, 1020), 24},
        {"right", QRect(0, 0, 1872, 1080), QPoint(1871, 1060), 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto p = PlaceTrayMenu(cursor, PanelRect(screen, c.available));
        EXPECT_EQ(p.point, c.point);
        EXPECT_EQ(p.align, c.align);
    }
}

}  // namespace
}  // namespace ravo
