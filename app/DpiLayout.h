#pragma once

#include <QString>

#include <vector>

namespace ravo {

// The window's layout scale: 144 on a monitor larger than 1500 x 960 pixels, else 96.
int ChooseLayoutDpi(int monitorWidth, int monitorHeight);
// A DPI outside 48, 72, 96, 120, 144, 168, 192 is replaced by 96.
int SanitizeDpi(int dpi);

// The window's size at 96 DPI.
inline constexpr int kMainWindowWidth = 1000;
inline constexpr int kMainWindowHeight = 640;

// The shared fonts of the main window for one face name (BuildFontTable). Id -1 is the default
// font.
struct FontSpec {
    int id = 0;
    int size = 0;
    bool bold = false;
    bool underline = false;
};
std::vector<FontSpec> MainFontTable();

}  // namespace ravo
