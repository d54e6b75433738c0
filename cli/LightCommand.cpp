#include "cli/KeyboardCliCommands.h"
#include "cli/KeyboardConnection.h"

#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <optional>
#include <ostream>

namespace ravo::cli {

namespace {

// Positions in the light-and-system record.
constexpr size_t kProfileByte = 0;
constexpr size_t kMode = 1;
constexpr size_t kBrightness = 2;
constexpr size_t kSpeed = 3;  // the keyboard counts speed in reverse: 4 - level
constexpr size_t kDirection = 4;
constexpr size_t kMultiColour = 5;
constexpr size_t kRed = 6;
constexpr size_t kGreen = 7;
constexpr size_t kBlue = 8;
constexpr size_t kLedMode = 18;
constexpr size_t kWFlag = 19;
constexpr size_t kKey6Flag = 20;
constexpr size_t kWinFlag = 21;
constexpr size_t kPollingRate = 22;
constexpr size_t kCustomGroup = 25;
constexpr uint8_t kTopSpeed = 4;

using Record = std::array<uint8_t, keyboard::kLightRecordLength>;

const char* const kUsage =
    "usage: ravo-tkl-cli light get\n"
    "       ravo-tkl-cli light set [--mode N] [--brightness 0-4] [--speed 0-4]\n"
    "                              [--direction N] [--multicolor 0|1] [--color RRGGBB]\n";

struct Option {
    const char* name;
    size_t byte;
    unsigned maximum;
};

constexpr Option kNumberOptions[] = {
    {"--mode", kMode, 255},
    {"--brightness", kBrightness, 4},
    {"--speed", kSpeed, kTopSpeed},
    {"--direction", kDirection, 255},
    {"--multicolor", kMultiColour, 1},
};

std::optional<unsigned> ParseNumber(const std::string& text, unsigned maximum) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value > maximum)
        return std::nullopt;
    return value;
}

std::optional<std::array<uint8_t, 3>> ParseColour(std::string text) {
    if (!text.empty() && text[0] == '#')
        text.erase(0, 1);
    if (text.size() != 6)
        return std::nullopt;
    std::array<uint8_t, 3> rgb{};
    for (size_t i = 0; i < 3; ++i) {
        const char* first = text.data() + 2 * i;
        if (!std::isxdigit(static_cast<unsigned char>(first[0])) ||
            !std::isxdigit(static_cast<unsigned char>(first[1])))
            return std::nullopt;
        std::from_chars(first, first + 2, rgb[i], 16);
    }
    return rgb;
}

// The changes `light set` asks for, applied to a record.
struct LightChanges {
    std::array<std::optional<unsigned>, std::size(kNumberOptions)> numbers;
    std::optional<std::array<uint8_t, 3>> colour;

    bool Empty() const {
        for (const auto& n : numbers) {
            if (n)
                return false;
        }
        return !colour;
    }
    void ApplyTo(Record& record) const {
        for (size_t i = 0; i < numbers.size(); ++i) {
            if (!numbers[i])
                continue;
            const Option& option = kNumberOptions[i];
            const unsigned value = option.byte == kSpeed ? kTopSpeed - *numbers[i] : *numbers[i];
            record[option.byte] = static_cast<uint8_t>(value);
        }
        if (colour) {
            record[kRed] = (*colour)[0];
            record[kGreen] = (*colour)[1];
            record[kBlue] = (*colour)[2];
        }
    }
};

bool ParseChanges(const std::vector<std::string>& args, LightChanges& changes, std::ostream& err) {
    for (size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i];
        std::string value;
        const size_t equals = name.find('=');
        if (equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            err << "light set: " << name << " needs a value\n" << kUsage;
            return false;
        }
        if (name == "--color") {
            changes.colour = ParseColour(value);
            if (!changes.colour) {
                err << "light set: --color takes six hexadecimal digits (RRGGBB), not \"" << value
                    << "\"\n";
                return false;
            }
            continue;
        }
        bool known = false;
        for (size_t o = 0; o < std::size(kNumberOptions); ++o) {
            if (name != kNumberOptions[o].name)
                continue;
            known = true;
            changes.numbers[o] = ParseNumber(value, kNumberOptions[o].maximum);
            if (!changes.numbers[o]) {
                err << "light set: " << name << " takes a number from 0 to "
                    << kNumberOptions[o].maximum << ", not \"" << value << "\"\n";
                return false;
            }
        }
        if (!known) {
            err << "light set: unknown option " << name << "\n" << kUsage;
            return false;
        }
    }
    if (changes.Empty()) {
        err << "light set: nothing to set\n" << kUsage;
        return false;
    }
    return true;
}

void PrintRecord(const Record& record, uint8_t number, std::ostream& out) {
    char colour[8];
    std::snprintf(colour, sizeof(colour), "%02X%02X%02X", record[kRed], record[kGreen],
                  record[kBlue]);
    const int speed = record[kSpeed] <= kTopSpeed ? kTopSpeed - record[kSpeed] : -1;
    out << "record: " << int{number} << "\n"
        << "mode: " << int{record[kMode]} << "\n"
        << "brightness: " << int{record[kBrightness]} << "\n"
        << "speed: ";
    if (speed >= 0)
        out << speed << "\n";
    else
        out << "out of range (" << int{record[kSpeed]} << ")\n";
    out << "direction: " << int{record[kDirection]} << "\n"
        << "multicolor: " << int{record[kMultiColour]} << "\n"
        << "color: " << colour << "\n"
        << "led mode: " << int{record[kLedMode]} << "\n"
        << "wasd swap: " << int{record[kWFlag]} << "\n"
        << "6-key rollover: " << int{record[kKey6Flag]} << "\n"
        << "windows lock: " << int{record[kWinFlag]} << "\n"
        << "polling rate: " << int{record[kPollingRate]} << "\n"
        << "custom group: " << int{record[kCustomGroup]} << "\n";
}

}  // namespace

int RunLight(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const bool get = !args.empty() && args[0] == "get";
    const bool set = !args.empty() && args[0] == "set";
    if ((!get && !set) || (get && args.size() != 1)) {
        err << kUsage;
        return kExitUsage;
    }
    LightChanges changes;
    if (set && !ParseChanges(args, changes, err))
        return kExitUsage;

    KeyboardConnection keyboard;
    std::string error;
    if (!keyboard.Open(&error)) {
        err << "light: " << error << "\n";
        return kExitDeviceError;
    }
    Record record{};
    uint8_t number = 0;
    int32_t r = keyboard::ReadLightRecord(keyboard.Link(), record, &number);
    if (r != kCommandOk) {
        err << "light: reading the light record: " << DescribeResult(r) << "\n";
        return kExitDeviceError;
    }
    if (get) {
        PrintRecord(record, number, out);
        return kExitOk;
    }

    // The program keeps its lighting in record 0; the bytes it does not use go out as 0.
    record[kProfileByte] = 0;
    std::fill(record.begin() + 9, record.begin() + 18, 0);
    record[23] = 0;
    record[24] = 0;
    changes.ApplyTo(record);
    r = keyboard::WriteLightRecord(keyboard.Link(), record, 0);
    if (r != kCommandOk) {
        err << "light: writing the light record: " << DescribeResult(r) << "\n";
        return kExitDeviceError;
    }
    PrintRecord(record, 0, out);
    return kExitOk;
}

}  // namespace ravo::cli
