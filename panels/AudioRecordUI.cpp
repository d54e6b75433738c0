#include "panels/AudioRecordUI.h"

#include "app/toolkit/ControlOps.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace ravo {

CAudioRecordUI::CAudioRecordUI(QWidget* parent) : CControlT<QWidget>(parent) {}

bool CAudioRecordUI::SetAttribute(const CDuiString& name, const CDuiString& value) {
    quint32 argb = 0;
    if (name == "bkcolor" && ui::ParseColor(value, &argb)) {
        m_background = argb;
    } else if (name == "forecolor" && ui::ParseColor(value, &argb)) {
        m_foreground = argb;
    } else {
        return CControlUI::SetAttribute(name, value);
    }
    update();
    return true;
}

void CAudioRecordUI::SetSamples(std::span<const int32_t> samples) {
    m_samples.fill(0);
    std::copy_n(samples.begin(), std::min(samples.size(), kSamples), m_samples.begin());
    update();
}

int CAudioRecordUI::ColumnHeight(size_t i) const {
    if (i >= kSamples) {
        return 0;
    }
    const long long h = static_cast<long long>(height()) * std::llabs(m_samples[i]) / 8192;
    return static_cast<int>(std::min<long long>(h, height()));
}

void CAudioRecordUI::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgba(m_background));
    const QColor fore = QColor::fromRgba(m_foreground);
    const int columns = std::min<int>(width(), static_cast<int>(kSamples));
    for (int x = 0; x < columns; ++x) {
        const int h = ColumnHeight(static_cast<size_t>(x));
        if (h > 0) {
            p.fillRect(QRect(x, height() - h, 1, h), fore);
        }
    }
}

}  // namespace ravo
