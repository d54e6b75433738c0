#pragma once

#include "app/toolkit/ControlUI.h"

#include <QPushButton>

namespace ravo {

// One key or light of a device picture: a button that previews the light's colour and shows
// the symbol of the key's assignment. Device objects find these by name ("key_N") and user
// data ("light_N") and paint them from the light buffer.
class CDeviceKeyButtonUI : public CControlT<QPushButton> {
public:
    static constexpr const char* kClassName = "DeviceKeyButton";

    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;

    // `colour` is packed as the device objects hand it over: red | blue << 8 | green << 16.
    // `alpha` 0..255 is how strongly the light shows.
    void SetLightColour(quint32 colour, int alpha, bool shown);
    quint32 LightColour() const { return m_lightColour; }
    int LightAlpha() const { return m_lightAlpha; }
    bool IsLightShown() const { return m_lightShown; }
    // The colour a packed light colour stands for.
    static QColor UnpackLightColour(quint32 colour, int alpha);

    CDuiString GetLightImage() const { return m_lightImage; }
    CDuiString GetKeySetImage() const { return m_keySetImage; }

    void SetKeySetImageShown(bool shown);
    bool IsKeySetImageShown() const { return m_keySetImageShown; }

    // Whether the key does something other than its own function (drawn as a small mark).
    void SetRemapped(bool remapped);
    bool IsRemapped() const { return m_remapped; }

    void SetSelected(bool selected) { m_selected = selected ? 1 : 0; }
    bool IsSelected() const { return m_selected != 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    CDuiString m_lightImage;
    CDuiString m_keySetImage;
    bool m_keySetImageShown = true;
    bool m_lightShown = false;
    quint32 m_lightColour = 255;
    int m_lightAlpha = 200;
    int m_selected = 0;
    bool m_remapped = false;
};

}  // namespace ravo
