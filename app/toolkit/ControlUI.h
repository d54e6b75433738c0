#pragma once

#include "app/toolkit/DuiString.h"

#include <QWidget>

#include <utility>

namespace ravo {

// Base of the program's own control classes (key buttons, selector items, charts, ...).
// A control is a Qt widget that also derives from CControlUI, usually through CControlT:
//
//     class CDeviceKeyButtonUI : public CControlT<QPushButton> { ... };
//
// The generic operations of ui:: (ControlOps.h) work on every widget; for a CControlUI they
// first offer the call to these virtuals, so a control only overrides what it does itself.
class CControlUI {
public:
    virtual ~CControlUI() = default;

    // Class name used in layouts and by the factory ("DeviceKeyButton").
    virtual CDuiString GetClass() const = 0;

    // One layout attribute; returns false to leave it to the generic attribute handling.
    // Layout files give attributes as dynamic properties; they are applied after loading.
    virtual bool SetAttribute(const CDuiString& name, const CDuiString& value);

    // A control timer of this control fired (UI thread). The default raises "timer" with the
    // id in wParam to the owning window.
    virtual void DoTimer(int id);

    // Text of controls that have no Qt text of their own; the defaults keep it as the widget's
    // "text" property.
    virtual void SetText(const CDuiString& text);
    virtual CDuiString GetText() const;

    QWidget* Widget() { return dynamic_cast<QWidget*>(this); }
    const QWidget* Widget() const { return dynamic_cast<const QWidget*>(this); }

    // Raises a notification from this control to its window (any thread; delivered on the
    // UI thread).
    void SendNotify(const CDuiString& type, quintptr wParam = 0, qintptr lParam = 0);
};

// A Qt widget class joined with CControlUI.
template <class QtBase>
class CControlT : public QtBase, public CControlUI {
public:
    template <class... Args>
    explicit CControlT(Args&&... args) : QtBase(std::forward<Args>(args)...) {}
};

}  // namespace ravo
