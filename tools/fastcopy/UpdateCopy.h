#pragma once

#include <cstdint>
#include <string>

namespace tessaro::tools {

enum class CopyOutcome { Copied, UpToDate, SameFile, Failed };

struct CopyReport {
    CopyOutcome outcome = CopyOutcome::Failed;
    std::string destination;
    uint64_t bytes = 0;
    std::string error;
};

// Copies `source` into `destinationFolder` under its own name unless the file
// there already has the same size and is not older. The folder is created when
// missing; the copy is written beside the target and renamed over it, keeping
// the source's modification time and permission bits.
CopyReport UpdateCopy(const std::string& source, const std::string& destinationFolder);

}  // namespace tessaro::tools
