#pragma once

#include "app/toolkit/WindowUI.h"

#include <QIcon>

namespace ravo {

// The program's one top-level window, built from "XML_MAIN". Notifications of its controls
// arrive in Notify, messages from other programs and from worker threads in
// HandleCustomMessage.
class CMainWnd : public CWindowUI {
public:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 572;

    explicit CMainWnd(QWidget* parent = nullptr);
    ~CMainWnd() override;

    CDuiString GetWindowClassName() const override { return "MainWnd"; }
    CDuiString GetSkinFile() const override { return "XML_MAIN"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    bool HandleCustomMessage(unsigned message, quintptr wParam, qintptr lParam) override;

    // Restores the window and brings it to the front (a second start, or the first scan).
    virtual void ShowFromTray();

    // The application icon (resource "ICON_APP" of the skin).
    static QIcon ApplicationIcon();
};

}  // namespace ravo
