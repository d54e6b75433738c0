#pragma once

#include <QWidget>

namespace ravo::ui {

// Connects a widget's Qt signals to the window's notifications:
//   buttons "click"; options (checkable buttons) also "selectchanged";
//   combo boxes and lists "itemselect" (wParam new index, lParam previous), lists "itemactivate";
//   sliders "movevaluechanged" while dragged and "valuechanged" when a change is done
//   (wParam the value); edit boxes "textchanged" on user edits and "return";
//   tab layouts "tabselect"; focusable controls "setfocus" and "killfocus".
// Wiring a widget twice has no further effect.
void WireControl(QWidget* w);
// WireControl for `root` and every widget below it.
void WireTree(QWidget* root);

}  // namespace ravo::ui
