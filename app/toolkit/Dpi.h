#pragma once

#include <QRect>
#include <QSize>

namespace ravo {

// A window's DPI, used to scale the lengths the program computes itself (positions, own
// drawing). Qt scales fonts and layouts for the screen on its own; this only carries the
// program's chosen value (96 = 100 %).
class CDpi {
public:
    static constexpr int kDefault = 96;

    int GetDPI() const { return m_dpi; }
    // Takes any positive value; callers that accept only certain values check them first.
    bool SetDPI(int dpi);
    int GetScale() const { return m_dpi * 100 / kDefault; }  // percent

    int Scale(int length) const;
    QSize Scale(const QSize& size) const { return {Scale(size.width()), Scale(size.height())}; }
    QRect Scale(const QRect& rect) const;
    // Clears the images cached for the previous DPI.
    void ResetDPIAssets();

private:
    int m_dpi = kDefault;
};

}  // namespace ravo
