#include "cli/KeyboardCliCommands.h"
#include "cli/KeyboardConnection.h"

#include "device/KeyboardCommands.h"
#include "device/KeyboardSequences.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>

namespace ravo::cli {

int RunKeys(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0] != "get") {
        err << "usage: ravo-tkl-cli keys get\n";
        return kExitUsage;
    }
    KeyboardConnection keyboard;
    std::string error;
    if (!keyboard.Open(&error)) {
        err << "keys: " << error << "\n";
        return kExitDeviceError;
    }
    std::array<uint8_t, keyboard::kDeviceInfoLength> info{};
    std::array<uint8_t, keyboard::kKeyTableImageLength> table{};
    std::array<uint8_t, keyboard::kKeyTableImageLength> leds{};
    const int32_t r = keyboard::ReadEverything(keyboard.Link(), info, table, leds);
    if (r != kCommandOk) {
        err << "keys: " << DescribeResult(r) << "\n";
        return kExitDeviceError;
    }
    const size_t count = std::min<size_t>(info[keyboard::kDeviceInfoKeyCount], table.size() / 3);
    out << "key count: " << count << "\n";
    out << "position  code      led\n";
    for (size_t p = 0; p < count; ++p) {
        char line[48];
        char led[8];
        if (leds[p] == 0xFF)
            std::snprintf(led, sizeof(led), "-");
        else
            std::snprintf(led, sizeof(led), "%u", unsigned{leds[p]});
        std::snprintf(line, sizeof(line), "%-8zu  %02X %02X %02X  %s\n", p, table[p * 3],
                      table[p * 3 + 1], table[p * 3 + 2], led);
        out << line;
    }
    return kExitOk;
}

}  // namespace ravo::cli
