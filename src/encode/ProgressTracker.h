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

// Follows the output of a run's jobs, each job's stream apart, as jobs may
// run side by side. A job's start (in recorded output, its marker) starts
// it; its failure status, its skip line or the end of its script ends it;
// mencoder's progress records ("Pos: 25.2s 632f (44%) ...") give its
// fraction, from its position against the probed length or else from the
// percent. The list's work is the jobs' lengths; a copy or subtitle job
// weighs little and counts when it ends. The ETA is the work left at the
// speed the list measured so far, with its jobs overlapping.
class ProgressTracker final {
public:
    using Clock = std::function<double()>;  // seconds, any origin

    ProgressTracker(std::vector<PlannedJob> jobs, Clock clock);

    // Job `number` (from 1) was started. Returns whether the progress changed.
    bool Start(int number);
    // Output of job `number` (from 1). Returns whether the progress changed.
    bool Take(int number, std::string_view chunk);
    // Job `number`'s script has ended: a job still going on becomes `state`.
    void End(int number, JobState state);
    // The run is over: a job still going on was stopped (or, when the run
    // was not stopped, ended without a word and counts as done).
    void Finish(bool stopped);
    // The run's own record counts job `number` (from 1) as failed, whatever
    // its output said: its record was lost, or the script never reached it.
    void MarkFailed(int number);

    const RunProgress& Progress();

private:
    bool TakeLine(size_t index, std::string_view line);
    void StartJob(size_t index);
    void EndJob(size_t index, JobState state);
    bool TakeProgressRecord(size_t index, std::string_view line);
    double Weight(size_t index) const;
    void Recompute();

    std::vector<PlannedJob> jobs_;
    Clock clock_;
    double started_ = 0;
    std::vector<double> fractions_;     // by job, of the running ones
    std::vector<std::string> pending_;  // by job, a line not ended yet
    std::vector<size_t> running_;       // in the order the jobs started
    RunProgress progress_;
};

}  // namespace tessaro
