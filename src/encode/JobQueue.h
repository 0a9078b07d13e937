#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "encode/EventPump.h"
#include "encode/ScriptWriter.h"
#include "encode/StatusBar.h"

namespace tessaro {

class CRedirect;

// The jobs of one run, each from a script of its own, up to a number of them
// at once. Each job runs under a CRedirect of its own: its own process group,
// log and work file. Jobs start in list order as places free up; a job never
// starts while an earlier job that has not ended writes one of its files, or
// reads or writes a file it writes, names compared without case (a player's
// drive ignores it). A copy to the drive is the last step of the job whose
// output it copies, so it always follows that conversion.
class JobQueue final {
public:
    struct Events {
        // Job `number` (from 1) was started, in the order jobs start.
        std::function<void(int number)> started;
        // Whole lines (with their line break) of job `number`'s output, and
        // what is left of it at the job's end.
        std::function<void(int number, std::string_view text)> output;
        std::function<void(int number, bool stopped)> ended;
    };

    // `scripts` holds each job's script path, in the order of `script.jobs`.
    // The status bar gets the running jobs ("Job:3+4/8") in panel 0 and the
    // status of the one that started first in panel 1.
    JobQueue(const Script& script, std::vector<std::string> scripts, int jobsAtOnce,
             IStatusBar& statusBar, IEventPump& pump, Events events);
    ~JobQueue();
    JobQueue(const JobQueue&) = delete;
    JobQueue& operator=(const JobQueue&) = delete;

    // Returns when every job has ended, or after Stop when the running ones
    // have been ended. When the first job cannot be started, none is.
    void Run(bool showConsole, int pollInterval);
    // Safe from another thread and from a signal handler.
    void Stop();

    // The process groups of the running jobs.
    std::vector<int> ProcessGroups() const;
    // The first failure of a runner ("Error creating process: ..."), or empty.
    const std::string& ErrorText() const { return errorText_; }

private:
    struct RunningJob;
    class JobPanels;

    void StartReadyJobs(bool showConsole, int pollInterval);
    bool Ready(size_t index) const;
    void EndJob(RunningJob& job, bool stopped);
    // Whether a job ended.
    bool PollRunningJobs();
    void WaitIdle(int pollInterval);
    void TakeOutput(RunningJob& job, std::string_view chunk);
    void ShowPanels();

    const int count_;
    const std::vector<std::string> scripts_;
    const size_t jobsAtOnce_;
    // For each job, the earlier jobs it must not run beside.
    std::vector<std::vector<size_t>> clashes_;
    enum class Stage { waiting, running, ended };
    std::vector<Stage> stages_;
    std::vector<std::unique_ptr<RunningJob>> running_;  // in the order they started
    IStatusBar& statusBar_;
    IEventPump& pump_;
    Events events_;
    std::atomic<bool> stopRequested_{false};
    int wakeFd_ = -1;
    bool starting_ = true;
    bool anyStarted_ = false;
    std::string errorText_;
    std::array<std::string, 2> shown_;
};

}  // namespace tessaro
