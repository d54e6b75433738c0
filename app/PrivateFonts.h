#pragma once

#include <QString>

#include <array>

namespace ravo {

// The program's own fonts, read from its "Font" folder and added to the process from memory.
// A font that is missing or unreadable is skipped silently; the UI then uses the system fonts.
// Needs the application object.
class CPrivateFonts {
public:
    static constexpr std::array<const char*, 4> kFiles = {
        "Font/Simplified_Chinese.ttf",
        "Font/Tessalun-Regular.otf",
        "Font/NotoSansThai-Regular.ttf",
        "Font/NotoSansCJKtc-Regular.otf",
    };

    CPrivateFonts() = default;
    ~CPrivateFonts();
    CPrivateFonts(const CPrivateFonts&) = delete;
    CPrivateFonts& operator=(const CPrivateFonts&) = delete;

    // Loads the four fonts in order from `programDir`; returns how many were added.
    int Load(const QString& programDir);
    // Removes them, last first.
    void Unload();
    // Font database id of font `index`, -1 when it was not added.
    int FontId(size_t index) const { return index < m_ids.size() ? m_ids[index] : -1; }

private:
    std::array<int, 4> m_ids{-1, -1, -1, -1};
};

}  // namespace ravo
