#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace ravo::cli {

// One command of ravo-tkl-cli: `args` are the words after its name. Returns the exit code.
using CommandFunction = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err);

struct CliCommand {
    const char* name;
    const char* usage;    // the arguments, as the help shows them
    const char* summary;  // one line
    CommandFunction run;
};

// The dispatch table, in the order the help lists it. Add a command by adding a row.
const std::vector<CliCommand>& Commands();

// list [--real-only]: the supported interfaces present, real and virtual. With --real-only
// only the system's devices count, and the exit code is 0 only when a supported keyboard can
// be opened.
int RunList(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// The whole tool: global options (--virtual LIST, --help) anywhere on the line, the HID bus
// set up from them (or RAVO_TKL_VIRTUAL), then the command.
int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace ravo::cli
