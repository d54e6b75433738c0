#include "app/MainWnd.h"

#include "app/RegisteredMessages.h"
#include "app/StartupLog.h"
#include "app/toolkit/ResourceManager.h"

namespace ravo {

CMainWnd::CMainWnd(QWidget* parent) : CWindowUI(parent) {
    // Caption, system menu, minimise and close; no maximise, like a fixed-size tool window.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
}

CMainWnd::~CMainWnd() = default;

QIcon CMainWnd::ApplicationIcon() {
    const QString path = CResourceManager::Instance().ResolvePath("ICON_APP");
    return path.isEmpty() ? QIcon() : QIcon(path);
}

void CMainWnd::InitWindow() {
    // The first texts come from the Chinese table; the stored language follows at start.
    QString error;
    if (!CResourceManager::Instance().LoadLanguage("lan_cn.xml", &error))
        qCWarning(lcStartup) << "language file:" << error;
    setWindowIcon(ApplicationIcon());
}

void CMainWnd::Notify(TNotifyUI& msg) {
    if (msg.Is(notify::kWindowInit))
        qCInfo(lcStartup) << "main window ready";
}

bool CMainWnd::HandleCustomMessage(unsigned message, quintptr wParam, qintptr lParam) {
    if (message != 0 && message == Messages().InstanceMessage) {
        qCInfo(lcStartup) << "activation message" << wParam << lParam << ": coming to the front";
        ShowFromTray();
        return true;
    }
    return false;
}

void CMainWnd::ShowFromTray() {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

}  // namespace ravo
