#pragma once

#include "app/toolkit/ControlUI.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <span>

namespace ravo {

// The sound level display of the music lighting: 500 samples drawn as one-pixel columns over
// the background colour, each height x sample / 8192 high (clipped to the control). Attributes
// "bkcolor" and "forecolor" (#AARRGGBB).
class CAudioRecordUI : public CControlT<QWidget> {
public:
    static constexpr const char* kClassName = "AudioRecord";
    static constexpr size_t kSamples = 500;

    explicit CAudioRecordUI(QWidget* parent = nullptr);
    CDuiString GetClass() const override { return kClassName; }
    bool SetAttribute(const CDuiString& name, const CDuiString& value) override;

    // Takes up to 500 samples; the rest become 0.
    void SetSamples(std::span<const int32_t> samples);
    // Height in pixels of column i for the current size.
    int ColumnHeight(size_t i) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int32_t, kSamples> m_samples{};
    quint32 m_background = 0xFF101115;
    quint32 m_foreground = 0xFF00C8FF;
};

}  // namespace ravo
