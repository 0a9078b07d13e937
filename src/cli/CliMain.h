#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/CliCommand.h"

namespace tessaro::cli {

// "tessaro-cli ARGUMENTS...": the overview, --version, or one of `commands`
// with its own arguments; returns the exit code.
int RunCli(std::span<const CliCommand* const> commands, const std::vector<std::string>& arguments);

}  // namespace tessaro::cli
