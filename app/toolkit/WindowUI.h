#pragma once

#include "app/toolkit/Dpi.h"
#include "app/toolkit/DuiString.h"
#include "app/toolkit/Notify.h"

#include <QDialog>
#include <QPointer>

#include <vector>

namespace ravo {

// Base of every window. Create() builds the window from its layout file (GetSkinFile, a
// resource name or a path under the skin folder), calling CreateControl for class names the
// toolkit does not know, then InitWindow; "windowinit" follows from the event loop, once.
// Notifications of the controls arrive in Notify on the UI thread, then go to the
// sub-notifiers. Messages (PostMessage) arrive in HandleCustomMessage, timers in OnTimer and
// menu items in OnMenuCommand.
class CWindowUI : public QDialog, public INotifyUI {
    Q_OBJECT

public:
    explicit CWindowUI(QWidget* parent = nullptr);
    ~CWindowUI() override;
    CWindowUI(const CWindowUI&) = delete;
    CWindowUI& operator=(const CWindowUI&) = delete;

    virtual CDuiString GetWindowClassName() const { return "Window"; }
    virtual CDuiString GetSkinFile() const = 0;
    // Creates a control of a class the toolkit and the factory do not know; null skips it.
    virtual QWidget* CreateControl(const CDuiString& className, QWidget* parent);
    // The layout is built; the window is not shown yet.
    virtual void InitWindow() {}
    void Notify(TNotifyUI& msg) override;
    virtual void OnTimer(int id);
    virtual void OnMenuCommand(const CDuiString& item);
    // A message posted to the window; true when handled.
    virtual bool HandleCustomMessage(unsigned message, quintptr wParam, qintptr lParam);

    // Builds the layout and sizes the window (x, y are ignored when the window is centred
    // later). False, with the reason in `error`, when the layout cannot be built.
    bool Create(QWidget* parent, const CDuiString& caption, int x, int y, int cx, int cy,
                QString* error = nullptr);
    // Shows the window modally; returns the value given to Close.
    int ShowModal();
    void ShowWindow(bool show = true);
    // Closes the window; a modal ShowModal returns `result`.
    void Close(int result = 0);
    // Centres the window on its owner, or on its screen when it has none.
    void CenterWindow();

    QWidget* GetRoot() const { return m_root; }
    // The control named `name` in this window; null when absent.
    QWidget* FindControl(const CDuiString& name) const;
    CDpi& Dpi() { return m_dpi; }

    // Notification fan-out: Notify first, then each sub-notifier in order of addition.
    void AddNotifier(INotifyUI* notifier);
    void RemoveNotifier(INotifyUI* notifier);
    void SendNotify(TNotifyUI& msg);
    bool IsWindowInitDone() const { return m_initDone; }

    // Window timers, delivered to OnTimer (any thread).
    void SetTimer(int id, int periodMs);
    void KillTimer(int id);
    // Queues a message to HandleCustomMessage on the UI thread (any thread).
    void PostMessage(unsigned message, quintptr wParam = 0, qintptr lParam = 0);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void DeliverWindowInit();

    QPointer<QWidget> m_root;
    CDpi m_dpi;
    std::vector<INotifyUI*> m_notifiers;
    bool m_initDone = false;
};

}  // namespace ravo
