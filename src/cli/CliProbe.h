#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "encode/JobRow.h"

namespace tessaro::cli {

struct ProbeResult {
    JobList rows;
    size_t printed = 0;  // rows written to rowsOut
};

// Adds the files as the window does, naming every skipped one on `errors`.
// Relative paths are made absolute first: a job's caption is a full path.
// With `rowsOut`, each row is printed there in the probe format as it is added.
ProbeResult ProbeFiles(const std::vector<std::string>& paths, int serial, std::ostream& errors,
                       std::ostream* rowsOut);

}  // namespace tessaro::cli
