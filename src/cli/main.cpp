#include <array>
#include <exception>
#include <iomanip>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "platform/Locale.h"
#include "settings/ProgramVersion.h"

namespace tessaro::cli {
namespace {

constexpr std::array kCommands = {&kProbeCommand, &kScriptCommand, &kEncodeCommand,
                                  &kUpdateCommand};

void PrintOverview(std::ostream& out) {
    out << "Usage: tessaro-cli COMMAND [options] [arguments]\n\nCommands:\n";
    for (const CliCommand* command : kCommands)
        out << "  " << std::left << std::setw(8) << command->name << command->summary << '\n';
    out << "\nRun \"tessaro-cli COMMAND --help\" for a command's options, "
           "\"tessaro-cli --version\" for the version.\n";
}

const CliCommand* FindCommand(std::string_view name) {
    for (const CliCommand* command : kCommands)
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

int Main(const std::vector<std::string>& arguments) {
    if (arguments.empty()) {
        PrintOverview(std::cerr);
        return kExitUsage;
    }
    const std::string& name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverview(std::cout);
        return kExitOk;
    }
    if (name == "--version") {
        std::cout << "Tessaro " << ProgramVersionText() << '\n';
        return kExitOk;
    }
    const CliCommand* command = FindCommand(name);
    if (!command) {
        std::cerr << "tessaro-cli: unknown command \"" << name << "\"\n";
        PrintOverview(std::cerr);
        return kExitUsage;
    }
    return RunCommand(*command, std::span<const std::string>(arguments).subspan(1));
}

}  // namespace
}  // namespace tessaro::cli

int main(int argc, char** argv) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    return tessaro::cli::Main(std::vector<std::string>(argv + 1, argv + argc));
}
