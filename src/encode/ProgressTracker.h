#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "encode/RunProgress.h"

namespace tessaro {

// What the tracker knows of a job before it runs.
struct PlannedJob {
    std::string name;
    double durationSeconds = 0;  // the probed length of a video job; 0 when unknown or none
    bool encodes = false;        // a mencoder job, whose progress records count
};

// Follows a run's output line by line and keeps its progress: the job markers
// start jobs, a job's failure status or the next marker ends it, and
// mencoder's progress records ("Pos: 25.2s 632f (44%) ...") give the current
// job's fraction, from its position against the probed length or else from
// the percent. The list's work is the jobs' lengths; a copy or subtitle job
// weighs little and counts when it ends. The ETA is the work left at the
// speed measured so far.
class ProgressTracker final {
public:
    using Clock = std::function<double()>;  // seconds, any origin

    ProgressTracker(std::vector<PlannedJob> jobs, Clock clock);

    // Returns whether the progress changed.
    bool Take(std::string_view chunk);
    // The run is over: a job still going on was stopped (or, when the run
    // was not stopped, ended without a word and counts as done).
    void Finish(bool stopped);
    // The run's own record counts job `number` (from 1) as failed, whatever
    // its output said: its record was lost, or the script never reached it.
    void MarkFailed(int number);

    const RunProgress& Progress();

private:
    bool TakeLine(std::string_view line);
    void StartJob(int number);
    void EndCurrentJob(JobState state);
    bool TakeProgressRecord(std::string_view line);
    double Weight(int index) const;
    void Recompute();

    std::vector<PlannedJob> jobs_;
    Clock clock_;
    double started_ = 0;
    int current_ = -1;  // index into jobs_
    double currentFraction_ = 0;
    std::string pending_;
    RunProgress progress_;
};

}  // namespace tessaro
