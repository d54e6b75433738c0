#pragma once

#include <cstdint>

namespace ravo {

// One row of the key code table: the language key naming a key function, its Windows
// virtual-key code, its KeyCode and, for keyboard keys, its scan code.
struct KeyCodeRow {
    const char* name = "";
    uint16_t virtualKey = 0;
    uint8_t type = 0;
    uint8_t p1 = 0;
    uint8_t p2 = 0;
    bool hasScanCode = false;
    uint16_t scanCode = 0;
    bool extended = false;
};

// 142 rows in a fixed order: rows 0..7 are the modifiers (left Ctrl, Shift, Alt, Windows, then
// the right ones), rows 0..112 carry scan codes.
inline constexpr int kKeyCodeRowCount = 142;
inline constexpr int kModifierRowCount = 8;
inline constexpr int kScanCodeRowCount = 113;

// The row, or an empty row for an index outside the table.
const KeyCodeRow& KeyCodeTableRow(int row);
// The first row between firstRow and lastRow (inclusive) with this KeyCode, or -1.
int FindKeyCodeRow(uint8_t type, uint8_t p1, uint8_t p2, int firstRow = 0,
                   int lastRow = kKeyCodeRowCount - 1);
// The first of rows 0..112 with this scan code and extended flag, or -1.
int FindScanCodeRow(uint16_t scanCode, bool extended);

}  // namespace ravo
