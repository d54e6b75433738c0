#pragma once

#include "app/toolkit/ControlUI.h"
#include "app/toolkit/DuiString.h"

#include <QWidget>

namespace ravo {

class CWindowUI;

// Operations on controls. Every function takes any widget and tolerates null (doing nothing
// and returning a neutral value), so callers can chain a find with an operation. Operations
// that do not apply to a widget's kind do nothing. UI thread only, except SendNotify and the
// timers (ControlTimers.h).
namespace ui {

CControlUI* AsControl(QWidget* w);

// The control named `name`: `root` itself or any widget below it; null when absent.
QWidget* FindControl(QWidget* root, const CDuiString& name);
template <class T>
T* FindControlAs(QWidget* root, const CDuiString& name) {
    return dynamic_cast<T*>(FindControl(root, name));
}

// The window a control belongs to, or null while it is in none.
CWindowUI* OwnerWindow(QWidget* w);

// Raises a notification from `sender` to its window. From the UI thread it is delivered at
// once; from another thread it is queued to the UI thread (and dropped if the sender is gone
// by then; the caller must keep the sender alive until the call returns).
void SendNotify(QWidget* sender, const CDuiString& type, quintptr wParam = 0, qintptr lParam = 0);

// Text. A text of the form "%[key]" marks the control as a resource text: it shows the current
// language's text for `key` and follows language switches. Any other text removes the mark.
void SetText(QWidget* w, const CDuiString& text);
CDuiString GetText(QWidget* w);
void SetResourceText(QWidget* w, const CDuiString& key);
CDuiString GetResourceKey(QWidget* w);
void SetToolTip(QWidget* w, const CDuiString& text);
CDuiString GetToolTip(QWidget* w);

void SetUserData(QWidget* w, const CDuiString& data);
CDuiString GetUserData(QWidget* w);
void SetTag(QWidget* w, quintptr tag);
quintptr GetTag(QWidget* w);

// Visibility is the control's own flag (true even while its window is hidden).
void SetVisible(QWidget* w, bool visible);
bool IsVisible(QWidget* w);
void SetEnabled(QWidget* w, bool enabled);
bool IsEnabled(QWidget* w);
// A control that is not mouse-enabled lets mouse events through to what lies below it.
void SetMouseEnabled(QWidget* w, bool enabled);
bool IsMouseEnabled(QWidget* w);

// Colours are 0xAARRGGBB; 0 removes the background colour.
void SetBkColor(QWidget* w, quint32 argb);
quint32 GetBkColor(QWidget* w);
// An image description: a file under the skin folder, optionally as "file='x.png' ...";
// "" removes it.
void SetBkImage(QWidget* w, const CDuiString& image);
CDuiString GetBkImage(QWidget* w);

// Attributes by name, as layouts give them. Own controls see them first (CControlUI);
// names the toolkit does not know are kept and returned by GetAttribute.
void SetAttribute(QWidget* w, const CDuiString& name, const CDuiString& value);
CDuiString GetAttribute(QWidget* w, const CDuiString& name);
// Parses "#AARRGGBB", "#RRGGBB" or "0xAARRGGBB"; false on anything else.
bool ParseColor(const CDuiString& text, quint32* argb);

// Edit boxes.
void SetMaxChar(QWidget* w, int count);
int GetMaxChar(QWidget* w);
void SetNumberOnly(QWidget* w, bool digitsOnly);
bool IsNumberOnly(QWidget* w);
// Value limits of a digits-only edit box; the text is clamped when editing ends.
void SetEditRange(QWidget* w, int minimum, int maximum);

// Options (check boxes, radio buttons, checkable buttons). Options of one group in one
// window exclude each other.
void SetSelected(QWidget* w, bool selected, bool notify = true);
bool IsSelected(QWidget* w);
void SetGroup(QWidget* w, const CDuiString& group);
CDuiString GetGroup(QWidget* w);

// Combo boxes and lists. Selection indexes are -1 for none.
int GetCurSel(QWidget* w);
bool SelectItem(QWidget* w, int index, bool notify = true);
// Adds a text item; a resource item shows the current language's text for the key.
int AddItem(QWidget* w, const CDuiString& text, bool resourceText = false);

// Sliders and progress bars.
void SetValue(QWidget* w, int value);
int GetValue(QWidget* w);
void SetRange(QWidget* w, int minimum, int maximum);
int GetMinValue(QWidget* w);
int GetMaxValue(QWidget* w);

// Tab layouts (stacked pages or tab widgets).
bool SelectTab(QWidget* w, int index);
int GetCurTab(QWidget* w);

// Containers: widgets with a layout, stacked pages, tab widgets and lists. Counts and indexes
// are of child controls only. A removed child is deleted unless `destroy` is false (then the
// caller owns it, parentless).
int GetCount(QWidget* w);
QWidget* GetItemAt(QWidget* w, int index);
int GetItemIndex(QWidget* container, QWidget* child);
bool Add(QWidget* container, QWidget* child);
bool AddAt(QWidget* container, QWidget* child, int index);
bool Remove(QWidget* container, QWidget* child, bool destroy = true);
void RemoveAll(QWidget* container, bool destroy = true);

// Repaint, and re-layout after a size or content change.
void Invalidate(QWidget* w);
void NeedUpdate(QWidget* w);

// Refreshes every resource text below `root` (or in every window when null) from the current
// language.
void RefreshResourceTexts(QWidget* root = nullptr);

}  // namespace ui
}  // namespace ravo
