// tessaro-cli: probing and writing scripts only read files and print, so this
// program serves them without loading Qt, D-Bus or the network libraries;
// every other command, the overview and --version are run by the full front
// end beside it, in this same process.
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliMain.h"
#include "cli/CliOptions.h"
#include "platform/Folders.h"
#include "platform/Locale.h"
#include "platform/Paths.h"

namespace {

constexpr std::array kLeanCommands = {&tessaro::cli::kProbeCommand, &tessaro::cli::kScriptCommand};
constexpr char kFullFrontEnd[] = "tessaro-cli-full";

bool IsLeanCommand(std::string_view name) {
    for (const tessaro::cli::CliCommand* command : kLeanCommands)
        if (command->name == name) return true;
    return false;
}

// Only returns when the full front end cannot be started.
int RunFullFrontEnd(char** argv) {
    const std::string path =
        tessaro::platform::JoinPath(tessaro::platform::ProgramFolder(), kFullFrontEnd);
    ::execv(path.c_str(), argv);
    std::cerr << "tessaro-cli: cannot run " << path << ": " << std::strerror(errno) << '\n';
    return tessaro::cli::kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !IsLeanCommand(argv[1])) return RunFullFrontEnd(argv);
    tessaro::platform::EnsureUtf8CharacterLocale();
    return tessaro::cli::RunCli(kLeanCommands, std::vector<std::string>(argv + 1, argv + argc));
}
