#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace ravo::virt {

// Everything the virtual keyboard keeps: its flash (information block, key table, LED map,
// light-and-system records, macro memory, custom colour pages) and its RAM (last live frame,
// power status). Tests take Defaults(), change what they need, and give it to a keyboard.
struct VirtualKeyboardState {
    static constexpr size_t kInfoLength = 34;
    static constexpr size_t kKeyCountByte = 5;
    static constexpr size_t kMacroUnitsByte = 6;
    static constexpr size_t kMacroUnitBytes = 128;
    static constexpr size_t kTableLength = 512;
    static constexpr size_t kRecordCount = 16;
    static constexpr size_t kRecordStride = 25;
    static constexpr size_t kRecordLength = 26;
    // Records overlap by one byte; address 0 is both the active record number and byte 0 of
    // record 0.
    static constexpr size_t kLightMemoryLength = (kRecordCount - 1) * kRecordStride + kRecordLength;
    static constexpr size_t kMacroMemoryLength = 255 * kMacroUnitBytes;  // the most byte 6 can say
    static constexpr size_t kColourPageLength = 512;
    static constexpr size_t kColourPageCount = 8;
    static constexpr size_t kLiveFrameLength = 384;
    static constexpr size_t kPowerLength = 6;

    // The factory matrix: 6 rows by 21 columns, numbered column by column.
    static constexpr size_t kMatrixRows = 6;
    static constexpr size_t kMatrixColumns = 21;
    static constexpr uint8_t kDefaultKeyCount = kMatrixRows * kMatrixColumns;  // 126
    static constexpr uint8_t kDefaultMacroUnits = 32;                          // 4096 bytes
    static constexpr uint8_t kNoLed = 0xFF;

    std::array<uint8_t, kInfoLength> info{};
    std::array<uint8_t, kTableLength> keyTable{};  // 3 bytes per matrix position
    std::array<uint8_t, kTableLength> ledMap{};    // LED of each matrix position
    std::array<uint8_t, kLightMemoryLength> lightMemory{};
    std::array<uint8_t, kMacroMemoryLength> macroMemory{};
    std::array<uint8_t, kColourPageLength * kColourPageCount> colourPages{};
    std::array<uint8_t, kLiveFrameLength> liveFrame{};
    std::array<uint8_t, kPowerLength> power{};

    uint8_t KeyCount() const { return info[kKeyCountByte]; }
    size_t MacroCapacity() const { return size_t{info[kMacroUnitsByte]} * kMacroUnitBytes; }
    uint8_t ActiveRecord() const { return lightMemory[0]; }
    uint8_t* Record(size_t n) { return lightMemory.data() + n * kRecordStride; }

    // A keyboard fresh from the factory: an 87-key board in its own matrix order, one LED per
    // key (serpentine by rows), all 16 records set to the same lighting, record 0 active.
    static VirtualKeyboardState Defaults();

    // Matrix position of the key with this factory code, or -1.
    int PositionOfCode(uint8_t type, uint8_t parameter1, uint8_t parameter2) const;

    // The state as stored in the state file, and back. Parse refuses (false, state untouched)
    // anything that is not a complete state of this layout.
    QByteArray Serialize() const;
    bool Parse(const QByteArray& bytes);
};

// The factory code (type, parameter 1, parameter 2) of each of the program's 126 key numbers,
// which the keyboard keeps in its key table wherever that key sits in its matrix.
std::array<uint8_t, 3> FactoryKeyCode(int keyNumber);

}  // namespace ravo::virt
