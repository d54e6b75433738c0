#include "virtualbus/VirtualKeyboardState.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <vector>

namespace ravo::virt {

namespace {

struct CodeRange {
    int first;
    int last;
    uint8_t type;
    uint8_t parameter1;
    uint8_t parameter2;  // of `first`; consecutive keys count up from it
    bool counts;
};

// Factory codes by key number; ranges of consecutive HID usages count up.
constexpr CodeRange kCodes[] = {
    {0, 0, 0x20, 0x00, 0x29, false},     {1, 15, 0x20, 0x00, 0x3A, true},
    {16, 16, 0xA0, 0x1B, 0x00, false},   {17, 17, 0xA0, 0x24, 0x00, false},
    {18, 20, 0x20, 0x00, 0x00, false},   {21, 21, 0x20, 0x00, 0x35, false},
    {22, 31, 0x20, 0x00, 0x1E, true},    {32, 33, 0x20, 0x00, 0x2D, true},
    {34, 34, 0x20, 0x00, 0x2A, false},   {35, 37, 0x20, 0x00, 0x49, true},
    {38, 41, 0x20, 0x00, 0x53, true},    {42, 42, 0x20, 0x00, 0x2B, false},
    {43, 43, 0x20, 0x00, 0x14, false},   {44, 44, 0x20, 0x00, 0x1A, false},
    {45, 45, 0x20, 0x00, 0x08, false},   {46, 46, 0x20, 0x00, 0x15, false},
    {47, 47, 0x20, 0x00, 0x17, false},   {48, 48, 0x20, 0x00, 0x1C, false},
    {49, 49, 0x20, 0x00, 0x18, false},   {50, 50, 0x20, 0x00, 0x0C, false},
    {51, 52, 0x20, 0x00, 0x12, true},    {53, 55, 0x20, 0x00, 0x2F, true},
    {56, 58, 0x20, 0x00, 0x4C, true},    {59, 61, 0x20, 0x00, 0x5F, true},
    {62, 62, 0x20, 0x00, 0x32, false},   {63, 63, 0x20, 0x00, 0x39, false},
    {64, 64, 0x20, 0x00, 0x04, false},   {65, 65, 0x20, 0x00, 0x16, false},
    {66, 66, 0x20, 0x00, 0x07, false},   {67, 69, 0x20, 0x00, 0x09, true},
    {70, 72, 0x20, 0x00, 0x0D, true},    {73, 74, 0x20, 0x00, 0x33, true},
    {75, 75, 0x20, 0x00, 0x28, false},   {76, 78, 0x20, 0x00, 0x5C, true},
    {79, 80, 0x20, 0x00, 0x8A, true},    {81, 82, 0x20, 0x00, 0x90, true},
    {83, 83, 0x20, 0x00, 0x88, false},   {84, 84, 0x20, 0x02, 0x00, false},
    {85, 85, 0x20, 0x00, 0x1D, false},   {86, 86, 0x20, 0x00, 0x1B, false},
    {87, 87, 0x20, 0x00, 0x06, false},   {88, 88, 0x20, 0x00, 0x19, false},
    {89, 89, 0x20, 0x00, 0x05, false},   {90, 90, 0x20, 0x00, 0x11, false},
    {91, 91, 0x20, 0x00, 0x10, false},   {92, 94, 0x20, 0x00, 0x36, true},
    {95, 95, 0x20, 0x20, 0x00, false},   {96, 96, 0x20, 0x00, 0x52, false},
    {97, 99, 0x20, 0x00, 0x59, true},    {100, 100, 0x20, 0x00, 0x87, false},
    {101, 101, 0x20, 0x00, 0x89, false}, {102, 102, 0x20, 0x00, 0x64, false},
    {103, 103, 0x20, 0x00, 0x85, false}, {104, 104, 0x20, 0x00, 0x00, false},
    {105, 105, 0x20, 0x01, 0x00, false}, {106, 106, 0x20, 0x08, 0x00, false},
    {107, 107, 0x20, 0x04, 0x00, false}, {108, 108, 0x20, 0x00, 0x2C, false},
    {109, 109, 0x20, 0x40, 0x00, false}, {110, 110, 0xA0, 0x01, 0x00, false},
    {111, 111, 0x20, 0x00, 0x65, false}, {112, 112, 0x20, 0x10, 0x00, false},
    {113, 114, 0x20, 0x00, 0x50, true},  {115, 115, 0x20, 0x00, 0x4F, false},
    {116, 117, 0x20, 0x00, 0x62, true},  {118, 118, 0x20, 0x00, 0x58, false},
    {119, 119, 0x20, 0x00, 0x57, false}, {120, 124, 0xD0, 0xA2, 0x01, true},
    {125, 125, 0x20, 0x80, 0x00, false},
};

// The 87 keys of the board, row by row from the left, by key number.
const std::vector<std::vector<int>>& BoardRows() {
    static const std::vector<std::vector<int>> rows = {
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15},
        {21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37},
        {42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58},
        {63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75},
        {84, 85, 86, 87, 88, 89, 90, 91, 92, 93, 94, 95, 96},
        {105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115},
    };
    return rows;
}

QString Hex(const uint8_t* data, size_t length) {
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length)).toHex());
}

template <size_t N>
bool FromHex(const QJsonObject& object, const char* name, std::array<uint8_t, N>& out) {
    const QJsonValue value = object.value(QLatin1String(name));
    if (!value.isString())
        return false;
    const QByteArray text = value.toString().toLatin1();
    if (static_cast<size_t>(text.size()) != N * 2)
        return false;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
    }
    const QByteArray bytes = QByteArray::fromHex(text);
    if (static_cast<size_t>(bytes.size()) != N)
        return false;
    std::copy(bytes.begin(), bytes.end(), out.begin());
    return true;
}

constexpr int kFormat = 1;

}  // namespace

std::array<uint8_t, 3> FactoryKeyCode(int keyNumber) {
    for (const CodeRange& range : kCodes) {
        if (keyNumber >= range.first && keyNumber <= range.last) {
            const int step = range.counts ? keyNumber - range.first : 0;
            return {range.type, range.parameter1, static_cast<uint8_t>(range.parameter2 + step)};
        }
    }
    return {0, 0, 0};
}

VirtualKeyboardState VirtualKeyboardState::Defaults() {
    VirtualKeyboardState s;
    s.info[0] = 0x01;  // firmware 1.03
    s.info[1] = 0x03;
    s.info[kKeyCountByte] = kDefaultKeyCount;
    s.info[kMacroUnitsByte] = kDefaultMacroUnits;

    std::fill(s.ledMap.begin(), s.ledMap.end(), kNoLed);
    uint8_t led = 0;
    const auto& rows = BoardRows();
    for (size_t row = 0; row < rows.size(); ++row) {
        const size_t count = rows[row].size();
        for (size_t column = 0; column < count; ++column) {
            const size_t position = column * kMatrixRows + row;
            const auto code = FactoryKeyCode(rows[row][column]);
            std::copy(code.begin(), code.end(), s.keyTable.begin() + position * 3);
            // The LED chain runs left to right on even rows and back on odd ones.
            const size_t chainColumn = (row % 2 == 0) ? column : count - 1 - column;
            s.ledMap[position] = static_cast<uint8_t>(led + chainColumn);
        }
        led = static_cast<uint8_t>(led + count);
    }

    for (size_t n = 0; n < kRecordCount; ++n) {
        uint8_t* r = s.Record(n);
        r[1] = 0x01;  // effect code
        r[2] = 4;     // brightness
        r[3] = 2;     // speed, counted in reverse
        r[5] = 0;     // single colour
        r[6] = 0xFF;
        r[7] = 0x40;
        r[8] = 0x00;
    }
    s.lightMemory[0] = 0;  // record 0 is active

    s.power = {80, 0, 0, 0, 0, 0};
    return s;
}

int VirtualKeyboardState::PositionOfCode(uint8_t type, uint8_t parameter1,
                                         uint8_t parameter2) const {
    const size_t count = std::min<size_t>(KeyCount(), kTableLength / 3);
    for (size_t p = 0; p < count; ++p) {
        if (keyTable[p * 3] == type && keyTable[p * 3 + 1] == parameter1 &&
            keyTable[p * 3 + 2] == parameter2)
            return static_cast<int>(p);
    }
    return -1;
}

QByteArray VirtualKeyboardState::Serialize() const {
    QJsonObject o;
    o.insert(QStringLiteral("format"), kFormat);
    o.insert(QStringLiteral("info"), Hex(info.data(), info.size()));
    o.insert(QStringLiteral("keyTable"), Hex(keyTable.data(), keyTable.size()));
    o.insert(QStringLiteral("ledMap"), Hex(ledMap.data(), ledMap.size()));
    o.insert(QStringLiteral("lightMemory"), Hex(lightMemory.data(), lightMemory.size()));
    o.insert(QStringLiteral("macroMemory"), Hex(macroMemory.data(), macroMemory.size()));
    o.insert(QStringLiteral("colourPages"), Hex(colourPages.data(), colourPages.size()));
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool VirtualKeyboardState::Parse(const QByteArray& bytes) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonObject o = document.object();
    if (o.value(QStringLiteral("format")).toInt(-1) != kFormat)
        return false;
    VirtualKeyboardState parsed = *this;
    if (!FromHex(o, "info", parsed.info) || !FromHex(o, "keyTable", parsed.keyTable) ||
        !FromHex(o, "ledMap", parsed.ledMap) || !FromHex(o, "lightMemory", parsed.lightMemory) ||
        !FromHex(o, "macroMemory", parsed.macroMemory) ||
        !FromHex(o, "colourPages", parsed.colourPages))
        return false;
    *this = parsed;
    return true;
}

}  // namespace ravo::virt
