#include "app/DpiLayout.h"

#include <QLoggingCategory>

namespace ravo {

Q_LOGGING_CATEGORY(lcDpi, "ravo.dpi", QtWarningMsg)

int ChooseLayoutDpi(int monitorWidth, int monitorHeight) {
    return SanitizeDpi(monitorWidth > 1500 && monitorHeight > 960 ? 144 : 96);
}

int SanitizeDpi(int dpi) {
    switch (dpi) {
        case 48:
        case 72:
        case 96:
        case 120:
        case 144:
        case 168:
        case 192:
            return dpi;
        default:
            qCDebug(lcDpi) << "MAIN_WND DPI SET ERROR";
            return 96;
    }
}

std::vector<FontSpec> MainFontTable() {
    std::vector<FontSpec> fonts = {{0, 15}, {-1, 14}, {1, 14, false, true}};
    const int sizes[] = {18, 30, 16, 20, 22, 14, 12, 11, 10, 28};
    for (int i = 0; i < 10; ++i)
        fonts.push_back({2 + i, sizes[i]});
    fonts.push_back({50, 18, true});
    fonts.push_back({51, 7, true});
    return fonts;
}

}  // namespace ravo
