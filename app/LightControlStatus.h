#pragma once

#include <QString>

#include <functional>

namespace ravo {

// Whether this program drives the device lights (1) or leaves them to the maker's other
// programs (0). The ports: the broadcast of LightControlNotifyMessage, the label of
// "control_light_status" and the device objects.
class LightControlStatus {
public:
    struct Ports {
        std::function<void(int on)> broadcast;
        std::function<void(const QString& text)> setLabel;
        std::function<void(int status)> applyToDevices;
    };

    explicit LightControlStatus(Ports ports) : m_ports(std::move(ports)) {}

    int Status() const { return m_status; }
    static QString LabelFor(int status);

    // Click on "control_light_status": flips the status, tells the other programs and the
    // devices.
    void Toggle();
    // LightControlSetMessage: wParam 1 with lParam 0 or 1 sets the status without a broadcast;
    // any wParam 1 gives the (possibly unchanged) status to the devices again.
    void OnSetMessage(uintptr_t wParam, intptr_t lParam);
    // Suspend gives 0 to the devices, resume the stored status again.
    void OnSuspend();
    void OnResume();

private:
    void Apply(int status);

    Ports m_ports;
    int m_status = 1;
};

}  // namespace ravo
