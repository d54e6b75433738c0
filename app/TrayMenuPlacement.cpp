#include "app/TrayMenuPlacement.h"

namespace ravo {

TrayMenuPlacement PlaceTrayMenu(const QPoint& cursor, const QRect& panel) {
    TrayMenuPlacement p{cursor, 6};
    if (panel.isEmpty())
        return p;
    const int left = panel.left();
    const int top = panel.top();
    if (left == 0 && top == 0) {
        if (panel.height() < panel.width()) {  // along the top
            p.point.setY(panel.height() + 1);
            p.align = 12;
        } else if (panel.height() > panel.width()) {  // along the left
            p.point.setX(panel.width() + 1);
            p.align = 18;
        }
    } else if (left == 0 && top > 0) {  // along the bottom
        p.point.setY(top - 20);
        p.align = 24;
    } else if (left > 0 && top == 0) {  // along the right
        p.point.setX(left - 1);
        p.align = 24;
    }
    return p;
}

QRect PanelRect(const QRect& screen, const QRect& available) {
    if (available.top() > screen.top())
        return QRect(screen.left(), screen.top(), screen.width(), available.top() - screen.top());
    if (available.left() > screen.left())
        return QRect(screen.left(), screen.top(), available.left() - screen.left(),
                     screen.height());
    if (available.bottom() < screen.bottom())
        return QRect(screen.left(), available.bottom() + 1, screen.width(),
                     screen.bottom() - available.bottom());
    if (available.right() < screen.right())
        return QRect(available.right() + 1, screen.top(), screen.right() - available.right(),
                     screen.height());
    return QRect();
}

}  // namespace ravo
