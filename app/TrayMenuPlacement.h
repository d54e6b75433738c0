#pragma once

#include <QPoint>
#include <QRect>

namespace ravo {

// Where the tray menu opens: at the cursor, moved off the desktop's panel and aligned so that
// it opens away from it. Alignment flags as CMenuUI's (2 left, 4 top, 8 right, 16 bottom).
struct TrayMenuPlacement {
    QPoint point;
    int align = 6;
};

// `panel` is the rectangle of the desktop's panel (task bar); empty when there is none.
TrayMenuPlacement PlaceTrayMenu(const QPoint& cursor, const QRect& panel);

// The panel's rectangle as the difference between a screen and its available area; empty
// when the whole screen is available.
QRect PanelRect(const QRect& screen, const QRect& available);

}  // namespace ravo
