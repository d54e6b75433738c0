#include "panels/KeyCodeTable.h"

#include <array>
#include <cstddef>

namespace ravo {
namespace {

// Name key, virtual-key code, KeyCode, whether the row has a scan code, scan code, extended.
constexpr std::array<KeyCodeRow, kKeyCodeRowCount> kRows = {{
    {"keyboard_key_LCtrl", 0xA2, 0x20, 0x01, 0x00, true, 0x1D, false},              // 0
    {"keyboard_key_LShift", 0xA0, 0x20, 0x02, 0x00, true, 0x2A, false},             // 1
    {"keyboard_key_LAlt", 0xA4, 0x20, 0x04, 0x00, true, 0x38, false},               // 2
    {"keyboard_key_LWin", 0x5B, 0x20, 0x08, 0x00, true, 0x5B, true},                // 3
    {"keyboard_key_RCtrl", 0xA3, 0x20, 0x10, 0x00, true, 0x1D, true},               // 4
    {"keyboard_key_RShift", 0xA1, 0x20, 0x20, 0x00, true, 0x36, true},              // 5
    {"keyboard_key_RAlt", 0xA5, 0x20, 0x40, 0x00, true, 0x38, true},                // 6
    {"keyboard_key_RWin", 0x5C, 0x20, 0x80, 0x00, true, 0x5C, true},                // 7
    {"keyboard_key_A", 0x41, 0x20, 0x00, 0x04, true, 0x1E, false},                  // 8
    {"keyboard_key_B", 0x42, 0x20, 0x00, 0x05, true, 0x30, false},                  // 9
    {"keyboard_key_C", 0x43, 0x20, 0x00, 0x06, true, 0x2E, false},                  // 10
    {"keyboard_key_D", 0x44, 0x20, 0x00, 0x07, true, 0x20, false},                  // 11
    {"keyboard_key_E", 0x45, 0x20, 0x00, 0x08, true, 0x12, false},                  // 12
    {"keyboard_key_F", 0x46, 0x20, 0x00, 0x09, true, 0x21, false},                  // 13
    {"keyboard_key_G", 0x47, 0x20, 0x00, 0x0A, true, 0x22, false},                  // 14
    {"keyboard_key_H", 0x48, 0x20, 0x00, 0x0B, true, 0x23, false},                  // 15
    {"keyboard_key_I", 0x49, 0x20, 0x00, 0x0C, true, 0x17, false},                  // 16
    {"keyboard_key_J", 0x4A, 0x20, 0x00, 0x0D, true, 0x24, false},                  // 17
    {"keyboard_key_K", 0x4B, 0x20, 0x00, 0x0E, true, 0x25, false},                  // 18
    {"keyboard_key_L", 0x4C, 0x20, 0x00, 0x0F, true, 0x26, false},                  // 19
    {"keyboard_key_M", 0x4D, 0x20, 0x00, 0x10, true, 0x32, false},                  // 20
    {"keyboard_key_N", 0x4E, 0x20, 0x00, 0x11, true, 0x31, false},                  // 21
    {"keyboard_key_O", 0x4F, 0x20, 0x00, 0x12, true, 0x18, false},                  // 22
    {"keyboard_key_P", 0x50, 0x20, 0x00, 0x13, true, 0x19, false},                  // 23
    {"keyboard_key_Q", 0x51, 0x20, 0x00, 0x14, true, 0x10, false},                  // 24
    {"keyboard_key_R", 0x52, 0x20, 0x00, 0x15, true, 0x13, false},                  // 25
    {"keyboard_key_S", 0x53, 0x20, 0x00, 0x16, true, 0x1F, false},                  // 26
    {"keyboard_key_T", 0x54, 0x20, 0x00, 0x17, true, 0x14, false},                  // 27
    {"keyboard_key_U", 0x55, 0x20, 0x00, 0x18, true, 0x16, false},                  // 28
    {"keyboard_key_V", 0x56, 0x20, 0x00, 0x19, true, 0x2F, false},                  // 29
    {"keyboard_key_W", 0x57, 0x20, 0x00, 0x1A, true, 0x11, false},                  // 30
    {"keyboard_key_X", 0x58, 0x20, 0x00, 0x1B, true, 0x2D, false},                  // 31
    {"keyboard_key_Y", 0x59, 0x20, 0x00, 0x1C, true, 0x15, false},                  // 32
    {"keyboard_key_Z", 0x5A, 0x20, 0x00, 0x1D, true, 0x2C, false},                  // 33
    {"keyboard_key_1", 0x31, 0x20, 0x00, 0x1E, true, 0x02, false},                  // 34
    {"keyboard_key_2", 0x32, 0x20, 0x00, 0x1F, true, 0x03, false},                  // 35
    {"keyboard_key_3", 0x33, 0x20, 0x00, 0x20, true, 0x04, false},                  // 36
    {"keyboard_key_4", 0x34, 0x20, 0x00, 0x21, true, 0x05, false},                  // 37
    {"keyboard_key_5", 0x35, 0x20, 0x00, 0x22, true, 0x06, false},                  // 38
    {"keyboard_key_6", 0x36, 0x20, 0x00, 0x23, true, 0x07, false},                  // 39
    {"keyboard_key_7", 0x37, 0x20, 0x00, 0x24, true, 0x08, false},                  // 40
    {"keyboard_key_8", 0x38, 0x20, 0x00, 0x25, true, 0x09, false},                  // 41
    {"keyboard_key_9", 0x39, 0x20, 0x00, 0x26, true, 0x0A, false},                  // 42
    {"keyboard_key_0", 0x30, 0x20, 0x00, 0x27, true, 0x0B, false},                  // 43
    {"keyboard_key_Enter", 0x0D, 0x20, 0x00, 0x28, true, 0x1C, false},              // 44
    {"keyboard_key_Esc", 0x1B, 0x20, 0x00, 0x29, true, 0x01, false},                // 45
    {"keyboard_key_BackSpace", 0x08, 0x20, 0x00, 0x2A, true, 0x0E, false},          // 46
    {"keyboard_key_Tab", 0x09, 0x20, 0x00, 0x2B, true, 0x0F, false},                // 47
    {"keyboard_key_Space", 0x20, 0x20, 0x00, 0x2C, true, 0x39, false},              // 48
    {"keyboard_key_-", 0xBD, 0x20, 0x00, 0x2D, true, 0x0C, false},                  // 49
    {"keyboard_key_=", 0xBB, 0x20, 0x00, 0x2E, true, 0x0D, false},                  // 50
    {"keyboard_key_[", 0xDB, 0x20, 0x00, 0x2F, true, 0x1A, false},                  // 51
    {"keyboard_key_]", 0xDD, 0x20, 0x00, 0x30, true, 0x1B, false},                  // 52
    {"keyboard_key_xiegang", 0xDC, 0x20, 0x00, 0x31, true, 0x2B, false},            // 53
    {"keyboard_key_;", 0xBA, 0x20, 0x00, 0x33, true, 0x27, false},                  // 54
    {"keyboard_key_'", 0xDE, 0x20, 0x00, 0x34, true, 0x28, false},                  // 55
    {"keyboard_key_`", 0xC0, 0x20, 0x00, 0x35, true, 0x29, false},                  // 56
    {"keyboard_key_<", 0xBC, 0x20, 0x00, 0x36, true, 0x33, false},                  // 57
    {"keyboard_key_.", 0xBE, 0x20, 0x00, 0x37, true, 0x34, false},                  // 58
    {"keyboard_key_/", 0xBF, 0x20, 0x00, 0x38, true, 0x35, false},                  // 59
    {"keyboard_key_Caplk", 0x14, 0x20, 0x00, 0x39, true, 0x3A, false},              // 60
    {"keyboard_key_F1", 0x70, 0x20, 0x00, 0x3A, true, 0x3B, false},                 // 61
    {"keyboard_key_F2", 0x71, 0x20, 0x00, 0x3B, true, 0x3C, false},                 // 62
    {"keyboard_key_F3", 0x72, 0x20, 0x00, 0x3C, true, 0x3D, false},                 // 63
    {"keyboard_key_F4", 0x73, 0x20, 0x00, 0x3D, true, 0x3E, false},                 // 64
    {"keyboard_key_F5", 0x74, 0x20, 0x00, 0x3E, true, 0x3F, false},                 // 65
    {"keyboard_key_F6", 0x75, 0x20, 0x00, 0x3F, true, 0x40, false},                 // 66
    {"keyboard_key_F7", 0x76, 0x20, 0x00, 0x40, true, 0x41, false},                 // 67
    {"keyboard_key_F8", 0x77, 0x20, 0x00, 0x41, true, 0x42, false},                 // 68
    {"keyboard_key_F9", 0x78, 0x20, 0x00, 0x42, true, 0x43, false},                 // 69
    {"keyboard_key_F10", 0x79, 0x20, 0x00, 0x43, true, 0x44, false},                // 70
    {"keyboard_key_F11", 0x7A, 0x20, 0x00, 0x44, true, 0x57, false},                // 71
    {"keyboard_key_F12", 0x7B, 0x20, 0x00, 0x45, true, 0x58, false},                // 72
    {"keyboard_key_Print Scr", 0x2C, 0x20, 0x00, 0x46, true, 0x37, true},           // 73
    {"keyboard_key_Scroll Lock", 0x91, 0x20, 0x00, 0x47, true, 0x46, false},        // 74
    {"keyboard_key_Pause", 0x13, 0x20, 0x00, 0x48, true, 0x45, false},              // 75
    {"keyboard_key_Insert", 0x2D, 0x20, 0x00, 0x49, true, 0x52, true},              // 76
    {"keyboard_key_Home", 0x24, 0x20, 0x00, 0x4A, true, 0x47, true},                // 77
    {"keyboard_key_Page Up", 0x21, 0x20, 0x00, 0x4B, true, 0x49, true},             // 78
    {"keyboard_key_Delete", 0x2E, 0x20, 0x00, 0x4C, true, 0x53, true},              // 79
    {"keyboard_key_End", 0x23, 0x20, 0x00, 0x4D, true, 0x4F, true},                 // 80
    {"keyboard_key_Page Down", 0x22, 0x20, 0x00, 0x4E, true, 0x51, true},           // 81
    {"keyboard_key_Right", 0x27, 0x20, 0x00, 0x4F, true, 0x4D, true},               // 82
    {"keyboard_key_Left", 0x25, 0x20, 0x00, 0x50, true, 0x4B, true},                // 83
    {"keyboard_key_Down", 0x28, 0x20, 0x00, 0x51, true, 0x50, true},                // 84
    {"keyboard_key_Up", 0x26, 0x20, 0x00, 0x52, true, 0x48, true},                  // 85
    {"keyboard_key_Num Lock", 0x90, 0x20, 0x00, 0x53, true, 0x45, true},            // 86
    {"keyboard_key_Num /", 0x6F, 0x20, 0x00, 0x54, true, 0x35, true},               // 87
    {"keyboard_key_Num *", 0x6A, 0x20, 0x00, 0x55, true, 0x37, false},              // 88
    {"keyboard_key_Num -", 0x6D, 0x20, 0x00, 0x56, true, 0x4A, false},              // 89
    {"keyboard_key_Num +", 0x6B, 0x20, 0x00, 0x57, true, 0x4E, false},              // 90
    {"keyboard_key_Num Enter", 0x101, 0x20, 0x00, 0x58, true, 0x1C, true},          // 91
    {"keyboard_key_Num 1", 0x61, 0x20, 0x00, 0x59, true, 0x4F, false},              // 92
    {"keyboard_key_Num 2", 0x62, 0x20, 0x00, 0x5A, true, 0x50, false},              // 93
    {"keyboard_key_Num 3", 0x63, 0x20, 0x00, 0x5B, true, 0x51, false},              // 94
    {"keyboard_key_Num 4", 0x64, 0x20, 0x00, 0x5C, true, 0x4B, false},              // 95
    {"keyboard_key_Num 5", 0x65, 0x20, 0x00, 0x5D, true, 0x4C, false},              // 96
    {"keyboard_key_Num 6", 0x66, 0x20, 0x00, 0x5E, true, 0x4D, false},              // 97
    {"keyboard_key_Num 7", 0x67, 0x20, 0x00, 0x5F, true, 0x47, false},              // 98
    {"keyboard_key_Num 8", 0x68, 0x20, 0x00, 0x60, true, 0x48, false},              // 99
    {"keyboard_key_Num 9", 0x69, 0x20, 0x00, 0x61, true, 0x49, false},              // 100
    {"keyboard_key_Num 0", 0x60, 0x20, 0x00, 0x62, true, 0x52, false},              // 101
    {"keyboard_key_Decimal", 0x6E, 0x20, 0x00, 0x63, true, 0x53, false},            // 102
    {"keyboard_key_App", 0x5D, 0x20, 0x00, 0x65, true, 0x5D, true},                 // 103
    {"keyboard_key_K45", 0xE2, 0x20, 0x00, 0x64, true, 0x56, false},                // 104
    {"keyboard_key_K56", 0xC1, 0x20, 0x00, 0x87, true, 0x73, false},                // 105
    {"keyboard_key_K14", 0xFF, 0x20, 0x00, 0x89, true, 0x7D, false},                // 106
    {"keyboard_key_K107", 0xC2, 0x20, 0x00, 0x85, true, 0x7E, false},               // 107
    {"keyboard_key_K131", 0xEB, 0x20, 0x00, 0x8B, true, 0x7B, false},               // 108
    {"keyboard_key_K132", 0xFF, 0x20, 0x00, 0x8A, true, 0x79, false},               // 109
    {"keyboard_key_K133", 0xFF, 0x20, 0x00, 0x88, true, 0x70, false},               // 110
    {"keyboard_key_K150", 0xE9, 0x20, 0x00, 0x91, true, 0x71, false},               // 111
    {"keyboard_key_K151", 0xFF, 0x20, 0x00, 0x90, true, 0x72, false},               // 112
    {"keyboard_key_K42", 0xBF, 0x20, 0x00, 0x32, false, 0, false},                  // 113
    {"keyboard_key_Launch App2", 0xB7, 0x30, 0x92, 0x01, false, 0, false},          // 114
    {"keyboard_key_Browaer Home", 0xAC, 0x30, 0x23, 0x02, false, 0, false},         // 115
    {"keyboard_key_Media Play Pause", 0xB3, 0x30, 0xCD, 0x00, false, 0, false},     // 116
    {"keyboard_key_Browser Search", 0xAA, 0x30, 0x21, 0x02, false, 0, false},       // 117
    {"keyboard_key_Launch Mail", 0xB4, 0x30, 0x8A, 0x01, false, 0, false},          // 118
    {"keyboard_key_Volume Up", 0xAF, 0x30, 0xE9, 0x00, false, 0, false},            // 119
    {"keyboard_key_Volume Mute", 0xAD, 0x30, 0xE2, 0x00, false, 0, false},          // 120
    {"keyboard_key_Media Stop", 0xB2, 0x30, 0xB7, 0x00, false, 0, false},           // 121
    {"keyboard_key_Volume Down", 0xAE, 0x30, 0xEA, 0x00, false, 0, false},          // 122
    {"keyboard_key_Browser Favorites", 0xAB, 0x30, 0x2A, 0x02, false, 0, false},    // 123
    {"keyboard_key_Browser ForWard", 0xA7, 0x30, 0x25, 0x02, false, 0, false},      // 124
    {"keyboard_key_Browser Back", 0xA6, 0x30, 0x24, 0x02, false, 0, false},         // 125
    {"keyboard_key_Media Prev Track", 0xB1, 0x30, 0xB6, 0x00, false, 0, false},     // 126
    {"keyboard_key_Media Next Track", 0xB0, 0x30, 0xB5, 0x00, false, 0, false},     // 127
    {"keyboard_key_Computer", 0xB6, 0x30, 0x94, 0x01, false, 0, false},             // 128
    {"keyboard_key_Browser Refresh", 0xA8, 0x30, 0x27, 0x02, false, 0, false},      // 129
    {"wed_stop", 0xA9, 0x30, 0x26, 0x02, false, 0, false},                          // 130
    {"keyboard_key_Launch Media Select", 0xB5, 0x30, 0x83, 0x01, false, 0, false},  // 131
    {"keyboard_key_Power", 0x103, 0x40, 0x01, 0x00, false, 0, false},               // 132
    {"keyboard_key_Sleep", 0x104, 0x40, 0x02, 0x00, false, 0, false},               // 133
    {"keyboard_key_Wakeup", 0x105, 0x40, 0x04, 0x00, false, 0, false},              // 134
    {"keyboard_key_M1", 0x00, 0xD0, 0xA2, 0x01, false, 0, false},                   // 135
    {"keyboard_key_M2", 0x00, 0xD0, 0xA2, 0x02, false, 0, false},                   // 136
    {"keyboard_key_M3", 0x00, 0xD0, 0xA2, 0x03, false, 0, false},                   // 137
    {"keyboard_key_M4", 0x00, 0xD0, 0xA2, 0x04, false, 0, false},                   // 138
    {"keyboard_key_M5", 0x00, 0xD0, 0xA2, 0x05, false, 0, false},                   // 139
    {"keyboard_key_FN", 0x00, 0xA0, 0x01, 0x00, false, 0, false},                   // 140
    {"keyboard_key_GM", 0x00, 0xA0, 0x1B, 0x00, false, 0, false},                   // 141
}};

}  // namespace

const KeyCodeRow& KeyCodeTableRow(int row) {
    static const KeyCodeRow kNone{};
    if (row < 0 || row >= kKeyCodeRowCount) {
        return kNone;
    }
    return kRows[static_cast<size_t>(row)];
}

int FindKeyCodeRow(uint8_t type, uint8_t p1, uint8_t p2, int firstRow, int lastRow) {
    if (firstRow < 0) {
        firstRow = 0;
    }
    if (lastRow >= kKeyCodeRowCount) {
        lastRow = kKeyCodeRowCount - 1;
    }
    for (int r = firstRow; r <= lastRow; ++r) {
        const KeyCodeRow& row = kRows[static_cast<size_t>(r)];
        if (row.type == type && row.p1 == p1 && row.p2 == p2) {
            return r;
        }
    }
    return -1;
}

int FindScanCodeRow(uint16_t scanCode, bool extended) {
    for (int r = 0; r < kScanCodeRowCount; ++r) {
        const KeyCodeRow& row = kRows[static_cast<size_t>(r)];
        if (row.hasScanCode && row.scanCode == scanCode && row.extended == extended) {
            return r;
        }
    }
    return -1;
}

}  // namespace ravo
