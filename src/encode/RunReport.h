#pragma once

#include <string>
#include <vector>

namespace tessaro {

struct FailedJob {
    int number = 0;
    std::string name;     // the source's file name
    std::string logPath;  // the tool's messages, empty when the job left no record
};

// What became of each job of a run, as the script recorded it in its run
// folder (see ShSyntax). Counted from files, not from the captured output, so
// it holds with the console shown as well.
struct RunReport {
    int jobCount = 0;
    int done = 0;
    int skipped = 0;
    std::vector<FailedJob> failed;  // in job order, including jobs that left no record
    // The script ran to its end, yet some job's record is missing: the run
    // folder or its record vanished or could not be written.
    bool recordLost = false;

    int FailedCount() const { return static_cast<int>(failed.size()); }
};

// Reads `runFolder`'s record of a script whose jobs have the source names
// `jobNames`, in order. A job is done or skipped only when the record says
// so: every other one counts as failed, whether the script never reached it
// (`scriptEnded` false) or its record was lost.
RunReport ReadRunReport(const std::string& runFolder, const std::vector<std::string>& jobNames,
                        bool scriptEnded);

// The last `count` non-empty lines of a log, as one text; mencoder's progress
// lines (CR-separated) count one each.
std::string LastLines(const std::string& path, int count);

}  // namespace tessaro
