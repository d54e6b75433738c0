#include "cli/KeyboardCliCommands.h"
#include "cli/KeyboardConnection.h"

#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"

#include <array>
#include <cstdio>
#include <ostream>

namespace ravo::cli {

namespace {

std::string HexBytes(const uint8_t* bytes, size_t count) {
    std::string text;
    char cell[4];
    for (size_t i = 0; i < count; ++i) {
        std::snprintf(cell, sizeof(cell), "%s%02X", i == 0 ? "" : " ", bytes[i]);
        text += cell;
    }
    return text;
}

const char* PowerState(uint8_t state) {
    switch (state) {
        case 0:
            return "powered by cable";
        case 1:
            return "charging";
        case 2:
            return "on battery";
        default:
            return "unknown";
    }
}

}  // namespace

int RunInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        err << "usage: ravo-tkl-cli info\n";
        return kExitUsage;
    }
    KeyboardConnection keyboard;
    std::string error;
    if (!keyboard.Open(&error)) {
        err << "info: " << error << "\n";
        return kExitDeviceError;
    }
    CommandLink& link = keyboard.Link();
    std::array<uint8_t, keyboard::kDeviceInfoLength> info{};
    int32_t r = ReadDeviceInfo(link, info);
    if (r != kCommandOk) {
        err << "info: " << DescribeResult(r) << "\n";
        return kExitDeviceError;
    }
    uint8_t active = 0;
    r = ReadMemory(link, std::span<uint8_t>(&active, 1), 0);
    if (r != kCommandOk) {
        err << "info: " << DescribeResult(r) << "\n";
        return kExitDeviceError;
    }
    std::array<uint8_t, keyboard::kPowerStatusLength> power{};
    const int32_t powerResult = keyboard::ReadPowerStatus(link, power);

    out << "keyboard: " << keyboard.Path() << "\n";
    out << "link: " << (keyboard.ThroughReceiver() ? "receiver" : "cable") << "\n";
    out << "information block: " << HexBytes(info.data(), info.size()) << "\n";
    out << "key count: " << int{info[keyboard::kDeviceInfoKeyCount]} << "\n";
    out << "macro memory: " << info[keyboard::kDeviceInfoMacroUnits] * keyboard::kMacroUnitBytes
        << " bytes\n";
    out << "active on-board profile: " << int{active};
    if (active >= keyboard::kLightRecordCount)
        out << " (out of range)";
    out << "\n";
    if (powerResult == kCommandOk)
        out << "power: battery " << int{power[0]} << "%, " << PowerState(power[1]) << "\n";
    else
        out << "power: unknown (" << DescribeResult(powerResult) << ")\n";
    return kExitOk;
}

}  // namespace ravo::cli
