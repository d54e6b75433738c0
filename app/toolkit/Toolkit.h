#pragma once

// The toolkit every window and panel is written against, over Qt Widgets.
//
// Windows derive from CWindowUI (WindowUI.h): it builds the window from a layout file (a Qt
// Designer .ui file under skin/, named through skin/res.xml), asks CreateControl and the
// CControlFactory for class names Qt does not know, calls InitWindow, then delivers
// "windowinit". User events reach Notify(TNotifyUI&) on the UI thread as a type string and
// a sender control; a control's name is its objectName.
//
// Controls are plain Qt widgets; the operations on them are the free functions of ui::
// (ControlOps.h), which take any widget and tolerate null. The program's own controls derive
// from CControlUI, normally through CControlT<QtWidget> (ControlUI.h):
//
//     class CDeviceKeyButtonUI : public CControlT<QPushButton> {
//     public:
//         CDuiString GetClass() const override { return "DeviceKeyButton"; }
//         bool SetAttribute(const CDuiString& name, const CDuiString& value) override;
//     protected:
//         void paintEvent(QPaintEvent*) override;   // using draw:: (Drawing.h)
//         void mouseDoubleClickEvent(QMouseEvent*) override { SendNotify("dbclick"); }
//     };
//     CControlFactory::Instance().RegisterControl<CDeviceKeyButtonUI>("DeviceKeyButton");
//
// so the generic operations (text, visibility, value, container, timers, ...) keep working on
// them, layouts set their own attributes through SetAttribute, their timers arrive in DoTimer,
// and the notifications they raise themselves (SendNotify) reach the window like Qt's.
//
// Texts come from the language files of CResourceManager; a control whose text is "%[key]"
// shows the current language's text for the key. Timers (ControlTimers.h) may be set from
// worker threads. Also: CDpi (Dpi.h), draw:: (Drawing.h), CMenuUI (MenuUI.h), CTrayIcon
// (TrayIcon.h), CDuiString (DuiString.h).

#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/ControlOps.h"
#include "app/toolkit/ControlTimers.h"
#include "app/toolkit/ControlUI.h"
#include "app/toolkit/Dpi.h"
#include "app/toolkit/Drawing.h"
#include "app/toolkit/DuiString.h"
#include "app/toolkit/ImageDesc.h"
#include "app/toolkit/LayoutLoader.h"
#include "app/toolkit/MenuUI.h"
#include "app/toolkit/Notify.h"
#include "app/toolkit/NotifyWiring.h"
#include "app/toolkit/ResourceManager.h"
#include "app/toolkit/TrayIcon.h"
#include "app/toolkit/UiThread.h"
#include "app/toolkit/WindowUI.h"
