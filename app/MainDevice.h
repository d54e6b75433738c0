#pragma once

#include "app/DeviceListPorts.h"
#include "app/GameLighting.h"

#include <QWidget>

#include <memory>

namespace ravo {

class CDeviceOptionUI;
class CMpDevicePowerUI;

// What the main window needs of a device object beyond the device list and game lighting.
class MainDevice : public ListedDevice, public GameLightingDevice {
public:
    // The device's page in "device_switch" (the device object itself).
    virtual QWidget* Page() const = 0;
    virtual void SetLightingControl(int status) = 0;
    // The window became active or hovered (1), or inactive / hidden (0).
    virtual void SetWindowActive(int active) = 0;
    virtual void SetFunctionPage(int page) = 0;
    // The control the frame timer repaints.
    virtual QWidget* RepaintControl() const = 0;
};

// How a device object is set up when its entry is created.
struct DeviceSetup {
    int kind = -1;  // device-kind row
    int row = -1;   // supported-device row of its identity
    int sub = 0;
    QWidget* mainWindow = nullptr;
    CMpDevicePowerUI* power = nullptr;
    CDeviceOptionUI* item = nullptr;
};

// Takes over a page built from a device layout: null when the page is not a device object.
std::unique_ptr<MainDevice> AdoptDeviceObject(QWidget* page, const DeviceSetup& setup);

}  // namespace ravo
