#include "app/toolkit/Dpi.h"

#include "app/toolkit/ResourceManager.h"

namespace ravo {

bool CDpi::SetDPI(int dpi) {
    if (dpi <= 0)
        return false;
    m_dpi = dpi;
    return true;
}

int CDpi::Scale(int length) const {
    // Rounded like MulDiv so that scaling and unscaling stay within one unit.
    const long long scaled = static_cast<long long>(length) * m_dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kDefault / 2) / kDefault
                                        : (scaled - kDefault / 2) / kDefault);
}

QRect CDpi::Scale(const QRect& rect) const {
    return QRect(Scale(rect.x()), Scale(rect.y()), Scale(rect.width()), Scale(rect.height()));
}

void CDpi::ResetDPIAssets() {
    CResourceManager::Instance().ResetImages();
}

}  // namespace ravo
