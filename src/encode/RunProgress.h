#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tessaro {

enum class JobState { waiting, converting, done, failed, stopped, skipped };

struct JobProgress {
    int number = 0;  // counted from 1
    std::string name;
    double fraction = 0;  // of this job, 0 to 1
};

// How far a run is, as plain data each front end presents in its own way.
// `current` is a list so that jobs running side by side fit it as well.
struct RunProgress {
    int jobCount = 0;
    int done = 0;  // done or skipped
    int failed = 0;
    int left = 0;  // not ended yet, the current ones included
    std::vector<JobProgress> current;
    std::vector<JobState> states;  // by job, from job 1
    double elapsedSeconds = 0;
    double fraction = 0;               // of the whole list's work
    std::optional<double> etaSeconds;  // once the speed can be measured
};

// "1:05" for 65 seconds; hours as "1:02:03".
std::string FormatDuration(double seconds);

}  // namespace tessaro
