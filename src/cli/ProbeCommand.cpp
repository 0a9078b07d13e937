#include <array>
#include <iostream>
#include <optional>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/CliProbe.h"
#include "cli/ReasonLanguage.h"

namespace tessaro::cli {
namespace {

constexpr OptionRule kExplainOption{"--explain", false};
constexpr std::array kProbeOptions = {kDeviceOption, kExplainOption};

int RunProbe(std::span<const std::string> arguments) {
    const CliOptions options(arguments, kProbeOptions);
    if (options.Operands().empty()) throw UsageError("probe needs at least one PATH");
    // The language file is read only when the reasons are asked for.
    const std::optional<ReasonTexts> reasons =
        options.Has(kExplainOption.name) ? std::optional(ReasonTextsForLocale()) : std::nullopt;
    const ProbeResult result = ProbeFiles(options.Operands(), DeviceIndex(options), std::cerr,
                                          &std::cout, reasons ? &*reasons : nullptr);
    return result.printed > 0 ? kExitOk : kExitFailure;
}

}  // namespace

const CliCommand kProbeCommand{
    "probe",
    "probe media and subtitle files and print their job rows",
    "Usage: tessaro-cli probe [--device N] [--explain] PATH...\n"
    "\n"
    "Probes each file as the window adds it and prints one job row a line, in\n"
    "the order the rows would be listed. The fields are separated by tabs:\n"
    "  file path, video format, codec, width, height, audio format,\n"
    "  support (\"Yes\"/\"No\"), decision code, bit rate (kbit/s)\n"
    "and with --explain a tenth: what the conversion does, in words\n"
    "(\"Audio AC-3 → MP3\"), in Japanese when the messages locale is Japanese.\n"
    "Files that are not taken (type not accepted for the device, missing, list\n"
    "full, unreadable) are named on standard error with the reason.\n"
    "\n"
    "  --device N   device serial index: 0 Serial 1, 1 Serial 2, 2 Serial 3 (default 0)\n"
    "  --explain    add the reason field\n"
    "\n"
    "Exit status: 0 when at least one row was printed, 1 when none was,\n"
    "2 for bad arguments.\n",
    RunProbe,
};

}  // namespace tessaro::cli
