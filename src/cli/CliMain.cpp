#include "cli/CliMain.h"

#include <exception>
#include <iomanip>
#include <iostream>

#include "cli/CliOptions.h"
#include "settings/ProgramVersion.h"

namespace tessaro::cli {
namespace {

void PrintOverview(std::span<const CliCommand* const> commands, std::ostream& out) {
    out << "Usage: tessaro-cli COMMAND [options] [arguments]\n\nCommands:\n";
    for (const CliCommand* command : commands)
        out << "  " << std::left << std::setw(8) << command->name << command->summary << '\n';
    out << "\nRun \"tessaro-cli COMMAND --help\" for a command's options, "
           "\"tessaro-cli --version\" for the version.\n";
}

const CliCommand* FindCommand(std::span<const CliCommand* const> commands, std::string_view name) {
    for (const CliCommand* command : commands)
        if (command->name == name) return command;
    return nullptr;
}

int RunCommand(const CliCommand& command, std::span<const std::string> arguments) {
    if (AsksForHelp(arguments)) {
        std::cout << command.usage;
        return kExitOk;
    }
    try {
        return command.run(arguments);
    } catch (const UsageError& error) {
        std::cerr << "tessaro-cli " << command.name << ": " << error.what() << "\n"
                  << "Run \"tessaro-cli " << command.name << " --help\" for usage.\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        std::cerr << "tessaro-cli " << command.name << ": " << error.what() << '\n';
        return kExitFailure;
    }
}

}  // namespace

int RunCli(std::span<const CliCommand* const> commands, const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        PrintOverview(commands, std::cerr);
        return kExitUsage;
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverview(commands, std::cout);
        return kExitOk;
    }
    if (name == "--version") {
        std::cout << "Tessaro " << ProgramVersionText() << '\n';
        return kExitOk;
    }
    const CliCommand* command = FindCommand(commands, name);
    if (!command) {
        std::cerr << "tessaro-cli: unknown command \"" << name << "\"\n";
        PrintOverview(commands, std::cerr);
        return kExitUsage;
    }
    return RunCommand(*command, std::span<const std::string>(arguments).subspan(1));
}

}  // namespace tessaro::cli
