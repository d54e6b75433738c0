#include "app/Startup.h"

#include "app/ControlClasses.h"
#include "app/MainWnd.h"
#include "app/MessageBus.h"
#include "app/PrivateFonts.h"
#include "app/QuitOnSignal.h"
#include "app/RegisteredMessages.h"
#include "app/SingleInstance.h"
#include "app/StartupLog.h"
#include "app/toolkit/ControlFactory.h"
#include "app/toolkit/ResourceManager.h"
#include "virtualbus/HidBusSetup.h"

#include <QApplication>
#include <QPointer>

#include <cstdio>
#include <memory>

namespace ravo {

Q_LOGGING_CATEGORY(lcStartup, "ravo.startup", QtWarningMsg)

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int RunProgram(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs(
            "ravo-tkl-rgb: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so "
            "the window cannot be shown.\n"
            "Start it from a desktop session, or without one under a virtual display:\n"
            "    xvfb-run -a ravo-tkl-rgb\n"
            "The devices can be reached without a display with ravo-tkl-cli.\n",
            stderr);
        return 1;
    }
    // The program takes no arguments; Qt does not get to read them either.
    int qtArgc = argc > 0 ? 1 : 0;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kProductTitle));
    QApplication::setQuitOnLastWindowClosed(true);
    CQuitOnSignal quitOnSignal;

    const ProgramMessages& messages = RegisterProgramMessages();
    qCInfo(lcStartup) << "activation message" << messages.InstanceMessage;

    CMessageBus bus;
    QString busError;
    if (!bus.Open(&busError))
        qCInfo(lcStartup) << "messages between programs unavailable:" << busError;
    CSingleInstance instance(bus.Connection());
    if (instance.Claim() == CSingleInstance::Role::Second) {
        // The running copy comes to the front; this one leaves without a window.
        qCInfo(lcStartup) << "already running: asking it to come to the front";
        bus.PostTo(instance.ServiceName(), QString::fromUtf8(msgname::kInstance), 0, 1);
        return 0;
    }

    const QString programDir = QApplication::applicationDirPath();
    CPrivateFonts fonts;
    fonts.Load(programDir);

    CResourceManager& resources = CResourceManager::Instance();
    resources.SetResourcePath(programDir + QStringLiteral("/skin/"));
    QString error;
    if (!resources.LoadResource("res.xml", &error))
        qCWarning(lcStartup) << "resource index:" << error;

    RegisterControlClasses(CControlFactory::Instance());

    // The system's HID devices, and the virtual ones RAVO_TKL_VIRTUAL names.
    HidBusSetup hidBus;
    std::string hidError;
    if (!SetUpHidBus(VirtualDeviceListFromEnvironment(), &hidBus, &hidError))
        std::fprintf(stderr, "ravo-tkl-rgb: %s\n", hidError.c_str());

    int exitCode = 0;
    {
        auto mainWnd = std::make_unique<CMainWnd>();
        mainWnd->SetMessageBus(&bus);
        QPointer<CMainWnd> window(mainWnd.get());
        if (mainWnd->Create(nullptr, QString::fromUtf8(kProductTitle), 0, 0, CMainWnd::kWidth,
                            CMainWnd::kHeight, &error)) {
            bus.SetMessageHandler([window](unsigned message, quintptr wParam, qintptr lParam) {
                if (window != nullptr)
                    window->HandleCustomMessage(message, wParam, lParam);
            });
            mainWnd->CenterWindow();
            // The window shows itself once the first device scan is done.
            QApplication::exec();
            qCInfo(lcStartup) << "message loop ended";
        } else {
            std::fprintf(stderr, "ravo-tkl-rgb: the main window cannot be built: %s\n",
                         qPrintable(error));
            exitCode = 1;
        }
        bus.SetMessageHandler({});
    }
    bus.Close();
    instance.Release();
    resources.Release();
    fonts.Unload();
    qCInfo(lcStartup) << "torn down";
    return exitCode;
}

}  // namespace ravo
