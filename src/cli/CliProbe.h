#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "encode/JobReason.h"
#include "encode/JobRow.h"

namespace tessaro::cli {

struct ProbeResult {
    JobList rows;
    size_t printed = 0;  // rows written to rowsOut
};

// Adds the files as the window does, naming every skipped one on `errors`,
// probing them one after the other: no window waits, and the CPU time spent
// is the least.
// Relative paths are made absolute first: a job's caption is a full path.
// With `rowsOut`, each row is printed there in the probe format as it is added,
// followed, with `explain`, by a tab and the reason in those phrases.
ProbeResult ProbeFiles(const std::vector<std::string>& paths, int serial, std::ostream& errors,
                       std::ostream* rowsOut, const ReasonTexts* explain = nullptr);

}  // namespace tessaro::cli
