#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tessaro::cli {

// One "tessaro-cli NAME ..." command. run gets the arguments after NAME and
// returns the exit code; it reports bad arguments by throwing UsageError.
struct CliCommand {
    std::string_view name;
    std::string_view summary;
    std::string_view usage;  // full --help text
    int (*run)(std::span<const std::string> arguments) = nullptr;
};

extern const CliCommand kProbeCommand;
extern const CliCommand kScriptCommand;
extern const CliCommand kEncodeCommand;
extern const CliCommand kUpdateCommand;

}  // namespace tessaro::cli
