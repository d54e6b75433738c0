#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ravo::cli {

// The keyboard commands of ravo-tkl-cli; `args` are the words after the command name.
// Each returns an exit code (KeyboardConnection.h) and reports errors on `err`.

// info: information block, key count, macro memory, active on-board profile, power status.
int RunInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// light get | light set [--mode N] [--brightness N] [--speed N] [--direction N]
//                       [--multicolor N] [--color RRGGBB]
int RunLight(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// keys get: the key table, one key position a line.
int RunKeys(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ravo::cli
