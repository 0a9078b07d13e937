#include <iostream>
#include <random>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/ScriptRequest.h"
#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"

namespace tessaro::cli {
namespace {

// Names the script's work files apart from those of any other script.
std::string RandomRunTag() {
    constexpr std::string_view kCharacters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device device;
    std::uniform_int_distribution<size_t> pick(0, kCharacters.size() - 1);
    std::string tag;
    for (int i = 0; i < 8; ++i) tag += kCharacters[pick(device)];
    return tag;
}

int RunScript(std::span<const std::string> arguments) {
    const ScriptRequest request(arguments);
    const JobList rows = request.Rows();
    if (rows.empty()) {
        std::cerr << "tessaro-cli: no job rows, no script written\n";
        return kExitFailure;
    }
    ScriptOptions options = request.Options();
    options.runTag = RandomRunTag();
    Script script;
    try {
        script = BuildScript(options, rows, request.Selection(rows.size()));
    } catch (const ScriptError& error) {
        throw UsageError(error.what());
    }
    if (const auto path = request.ScriptPath())
        SaveScript(script, options.dialect, *path);
    else
        std::cout << script.text << std::flush;
    return kExitOk;
}

constexpr std::string_view kUsageHead =
    "Usage: tessaro-cli script [options] [PATH...]\n"
    "\n"
    "Writes the conversion script the window's Encode commands run, for rows\n"
    "probed from PATHs or read from --rows, to standard output or --script FILE.\n"
    "\n";

constexpr std::string_view kUsageTail =
    "  --dialect cmd|sh    Windows batch script or POSIX shell script (default sh)\n"
    "  --exe-folder DIR    folder of mencoder, charshift, fastcopy and avifinish\n"
    "                      (default: the program's folder; sh also searches PATH)\n"
    "  --temp-folder DIR   folder of the tools' log 2.txt and the sh script's record\n"
    "                      of its jobs (default: the private temp folder)\n"
    "  --script FILE       save the script to FILE (replaced atomically)\n"
    "\n"
    "Exit status: 0 when the script was written, 1 when there were no rows or it\n"
    "could not be saved, 2 for bad arguments or rows (nothing is written then).\n";

const std::string kUsage =
    std::string(kUsageHead) + std::string(ScriptRequest::OptionsHelp()) + std::string(kUsageTail);

}  // namespace

const CliCommand kScriptCommand{
    "script",
    "write the conversion script for job rows",
    kUsage,
    RunScript,
};

}  // namespace tessaro::cli
