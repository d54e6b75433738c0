#pragma once

#include "app/toolkit/DuiString.h"

#include <QMenu>
#include <QPoint>

namespace ravo {

class CWindowUI;

// Pop-up menus built from a layout file: a .ui file whose top widget is a QMenu holding
// actions. Each action's name is its item name ("exit", "setwnd_menu"); a chosen item arrives
// in the owner window's OnMenuCommand. Texts "%[key]" are resource texts.
class CMenuUI {
public:
    // Alignment flags of the point the menu is placed at: with kRight the menu's right edge is
    // at the point (it opens to the left), with kBottom its bottom edge (it opens upwards);
    // otherwise its left / top edge.
    enum Align { kLeft = 2, kTop = 4, kRight = 8, kBottom = 16 };

    // Builds the menu; null with the reason in `error` when the layout is missing or holds no
    // menu.
    static QMenu* Build(const CDuiString& layout, QWidget* parent, QString* error = nullptr);
    // Builds and shows the menu at `globalPos`; it deletes itself when it closes.
    static QMenu* Popup(CWindowUI* owner, const CDuiString& layout, const QPoint& globalPos,
                        int align, QString* error = nullptr);
    // Top-left corner of a menu of `size` placed at `point` with `align`.
    static QPoint PlaceAt(const QPoint& point, const QSize& size, int align);
};

}  // namespace ravo
