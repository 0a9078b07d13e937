#include <array>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliMain.h"
#include "platform/Locale.h"

namespace {

constexpr std::array kCommands = {&tessaro::cli::kProbeCommand, &tessaro::cli::kScriptCommand,
                                  &tessaro::cli::kEncodeCommand, &tessaro::cli::kUpdateCommand};

}  // namespace

int main(int argc, char** argv) {
    tessaro::platform::EnsureUtf8CharacterLocale();
    return tessaro::cli::RunCli(kCommands, std::vector<std::string>(argv + 1, argv + argc));
}
