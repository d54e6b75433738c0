#include "cli/CliCommands.h"

#include "cli/KeyboardCliCommands.h"
#include "cli/KeyboardConnection.h"
#include "virtualbus/HidBusSetup.h"

#include <ostream>

namespace ravo::cli {

namespace {

int RunHelp(const std::vector<std::string>&, std::ostream& out, std::ostream&);

void PrintUsage(std::ostream& out) {
    out << "usage: ravo-tkl-cli [--virtual LIST] COMMAND [ARGS]\n\n"
           "  --virtual LIST  put virtual devices on the bus (comma-separated: keyboard,\n"
           "                  keyboard-receiver); RAVO_TKL_VIRTUAL does the same\n\n"
           "commands:\n";
    for (const CliCommand& command : Commands()) {
        std::string head = std::string(command.name) + " " + command.usage;
        if (head.size() < 30)
            head.resize(30, ' ');
        out << "  " << head << " " << command.summary << "\n";
    }
}

int RunHelp(const std::vector<std::string>&, std::ostream& out, std::ostream&) {
    PrintUsage(out);
    return kExitOk;
}

}  // namespace

const std::vector<CliCommand>& Commands() {
    static const std::vector<CliCommand> commands = {
        {"list", "[--real-only]", "the supported device interfaces present", &RunList},
        {"info", "", "the keyboard's information block, memory and status", &RunInfo},
        {"light", "get | set [OPTIONS]", "read or change the keyboard's lighting", &RunLight},
        {"keys", "get", "the keyboard's key table", &RunKeys},
        {"help", "", "this text", &RunHelp},
    };
    return commands;
}

int RunCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> words;
    std::string virtualList = VirtualDeviceListFromEnvironment();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--virtual") {
            if (i + 1 >= arguments.size()) {
                err << "ravo-tkl-cli: --virtual needs a device list\n";
                return kExitUsage;
            }
            virtualList = arguments[++i];
        } else if (word.rfind("--virtual=", 0) == 0) {
            virtualList = word.substr(10);
        } else if (word == "--help" || word == "-h") {
            PrintUsage(out);
            return kExitOk;
        } else {
            words.push_back(word);
        }
    }
    if (words.empty()) {
        PrintUsage(err);
        return kExitUsage;
    }
    const CliCommand* command = nullptr;
    for (const CliCommand& c : Commands())
        if (words[0] == c.name)
            command = &c;
    if (!command) {
        err << "ravo-tkl-cli: unknown command \"" << words[0] << "\"\n";
        PrintUsage(err);
        return kExitUsage;
    }
    std::string error;
    if (!SetUpHidBus(virtualList, nullptr, &error)) {
        err << "ravo-tkl-cli: " << error << "\n";
        return kExitUsage;
    }
    return command->run({words.begin() + 1, words.end()}, out, err);
}

}  // namespace ravo::cli
