#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/CliOptions.h"
#include "encode/JobRow.h"
#include "encode/ScriptWriter.h"

namespace tessaro::cli {

// The script options of "script" and "encode", checked at once; the rows are
// probed (or read) only when asked for, as that may take a while.
class ScriptRequest final {
public:
    // Throws UsageError for unknown options, bad values and bad combinations.
    explicit ScriptRequest(std::span<const std::string> arguments);

    const ScriptOptions& Options() const { return options_; }
    // Probes the PATHs with the chosen device, or reads --rows.
    JobList Rows() const;
    JobSelection Selection(size_t rowCount) const;
    std::optional<std::string> ScriptPath() const { return arguments_.Value("--script"); }

    static std::string_view OptionsHelp();

private:
    CliOptions arguments_;
    ScriptOptions options_;
};

}  // namespace tessaro::cli
