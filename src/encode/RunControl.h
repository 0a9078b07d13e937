#pragma once

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>

#include "encode/CRedirect.h"
#include "encode/EventPump.h"
#include "encode/JobQueue.h"
#include "encode/JobRow.h"
#include "encode/ProgressTracker.h"
#include "encode/RunReport.h"
#include "encode/RunStateView.h"
#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"
#include "encode/StatusBar.h"

namespace tessaro {

namespace platform {
class IPowerManager;
}

enum class RunOutcome {
    nothing,     // no job to run: no script, no change
    completed,   // every job done or skipped
    jobsFailed,  // the script ran to its end, but some jobs failed
    stopped,
    failed,  // the run could not be run; the error is in panel 0
};

// The encode commands of the window, without the window: writes the script
// into a run folder of its own, runs its jobs (up to the jobs-at-once count
// side by side, see JobQueue) while the view shows a run in progress, puts
// the view back into its idle state and powers the computer off when asked.
class RunControl final {
public:
    // Each run gets a fresh folder inside `tempFolder`; `frontEnd` ("window",
    // "cli") names whose runs they are, so that one front end's kept logs are
    // removed by its own next run only.
    RunControl(std::string tempFolder, std::string frontEnd, IStatusBar& statusBar,
               IRunStateView& view, platform::IPowerManager& power, IEventPump* pump = nullptr);
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // The stopped, completed and failed-jobs texts of the current language;
    // the last holds "%d" for the failed jobs, then "%d" for all jobs.
    void SetStatusTexts(std::string stopped, std::string completed, std::string failedJobs);
    // How many jobs of a list run side by side, from 1 (one after another).
    void SetJobsAtOnce(int jobs) { jobsAtOnce = std::max(1, jobs); }
    // Sees the script's output (the command line prints errors from it); the
    // jobs of an encode command in whole lines, each job's apart.
    void SetOutputObserver(CRedirect::OutputObserver observer) {
        outputObserver = std::move(observer);
    }
    // Sees the run's progress whenever it changes, and once more at its end.
    using ProgressObserver = std::function<void(const RunProgress&)>;
    void SetProgressObserver(ProgressObserver observer, ProgressTracker::Clock clock = {}) {
        progressObserver = std::move(observer);
        progressClock = std::move(clock);
    }

    // The encode commands. A script that cannot be written throws ScriptError
    // and no run starts.
    RunOutcome EncodeAll(const JobList& rows, const ScriptOptions& options);
    RunOutcome EncodeOne(const JobList& rows, int selectedRow, const ScriptOptions& options);
    // `group` 0 to 3 and one of its values, as the "Encode By(B)" submenu carries them.
    RunOutcome EncodeBy(int group, const std::string& value, const JobList& rows,
                        const ScriptOptions& options);
    RunOutcome Encode(const JobList& rows, const JobSelection& selection, ScriptOptions options);

    // A run is asked for but its rows are not ready yet (the command line
    // probes first): a Stop from now on is honoured before anything starts.
    void RequestRun();
    // The Stop command; also safe from a signal handler on the running thread.
    void Stop();
    bool Running() const {
        return currentRunner.load() != nullptr || currentQueue.load() != nullptr;
    }
    bool StopFlag() const { return stopFlag.load(); }
    // The runner of a script run by RunScript.
    CRedirect* CurrentRunner() const { return currentRunner.load(); }
    // The process groups of an encode command's running jobs.
    std::vector<int> ProcessGroups() const;

    int RunScript(const std::string& scriptPath);
    void SetRunState();
    // Asks for power-off and ends the program; returns whether the system took
    // the request (seen only where the view lets the program go on).
    bool ShutdownComputer();
    // When the window closes: the script of a kept run is removed (its log stays).
    void CloseCleanUp();

    // The first failure of the last run, or empty.
    const std::string& LastError() const { return lastError; }
    // What became of the last run's jobs.
    const RunReport& LastReport() const { return lastReport; }
    // The folder holding the logs of the last run's failed jobs, or empty.
    const std::string& KeptRunFolder() const { return keptRunFolder; }

private:
    RunOutcome RunWritten(const Script& script, const std::string& runFolder);
    void RunJobs(const Script& script, const std::string& runFolder);
    // Whether the run was not asked for before.
    bool BeginRun(bool showConsole);
    void EndRun(bool showConsole, bool ownRequest);
    void StartTracking(const Script& script);
    void TrackStart(int number);
    void TrackOutput(int number, std::string_view chunk);
    void TrackEnd(int number, bool stopped);
    void FinishTracking();
    RunOutcome Outcome() const;
    std::string IdleText() const;
    void EndRequest();

    std::atomic<CRedirect*> currentRunner{nullptr};
    std::atomic<JobQueue*> currentQueue{nullptr};
    int jobsAtOnce = 1;
    std::atomic<bool> stopFlag{false};
    std::atomic<bool> runRequested{false};
    std::string tempFolder;
    std::string frontEnd;
    IStatusBar& statusBar;
    IRunStateView& view;
    platform::IPowerManager& power;
    IEventPump* pump = nullptr;
    std::string stoppedText;
    std::string completedText;
    std::string failedJobsText;
    std::string lastError;
    RunReport lastReport;
    std::string keptRunFolder;
    CRedirect::OutputObserver outputObserver;
    ProgressObserver progressObserver;
    ProgressTracker::Clock progressClock;
    std::optional<ProgressTracker> tracker;
};

// `format` with its first "%d" replaced by `failed` and the second by `total`;
// nothing else in it is interpreted.
std::string FormatFailedJobsText(std::string_view format, int failed, int total);

}  // namespace tessaro
