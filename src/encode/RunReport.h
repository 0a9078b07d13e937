#pragma once

#include <string>
#include <vector>

namespace tessaro {

struct FailedJob {
    int number = 0;
    std::string name;     // the source's file name
    std::string logPath;  // the tool's messages, empty when the job never ran
};

// What became of each job of a run, as the script recorded it in its run
// folder (see ShSyntax). Counted from files, not from the captured output, so
// it holds with the console shown as well.
struct RunReport {
    int jobCount = 0;
    int done = 0;
    int skipped = 0;
    std::vector<FailedJob> failed;  // in job order, including jobs the script never reached

    int FailedCount() const { return static_cast<int>(failed.size()); }
};

// Reads `runFolder`'s record of a script with `jobCount` jobs. When the script
// did not run to its end (`scriptEnded` false) every job it never reached
// counts as failed.
RunReport ReadRunReport(const std::string& runFolder, int jobCount, bool scriptEnded);

// The last `count` non-empty lines of a log, as one text; mencoder's progress
// lines (CR-separated) count one each.
std::string LastLines(const std::string& path, int count);

}  // namespace tessaro
