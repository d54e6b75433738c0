#include "cli/CliCommands.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return ravo::cli::RunCli(arguments, std::cout, std::cerr);
}
