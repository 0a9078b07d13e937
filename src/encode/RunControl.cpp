#include "encode/RunControl.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "encode/EncodeByGroups.h"
#include "encode/Probe.h"
#include "platform/Paths.h"
#include "platform/PowerManager.h"
#include "platform/RunFolder.h"

namespace tessaro {
namespace {

constexpr int kRunPollInterval = 200;
constexpr const char* kAllValue = "0";
// Before a language is applied the other texts are empty, but a failure must still show.
constexpr std::string_view kFailedJobsFallback = "%d/%d failed";

double SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The sh script a run writes into its folder.
std::string ScriptIn(const std::string& runFolder) {
    ScriptOptions where;
    where.tempFolder = runFolder;
    where.dialect = ScriptDialect::sh;
    return ScriptPathFor(where);
}

// Job `number`'s own script, beside the list's.
std::string JobScriptIn(const std::string& runFolder, int number) {
    return platform::JoinPath(runFolder,
                              std::string(kScriptStem) + "-" + std::to_string(number) + ".sh");
}

// A stopped run's work files are cut off; a failed step removes its own, so
// this finds only what a stop (or a killed script) left behind.
void RemoveWorkFiles(const Script& script) {
    for (const std::string& work : script.workFiles) std::remove(work.c_str());
}

}  // namespace

std::string FormatFailedJobsText(std::string_view format, int failed, int total) {
    std::string text;
    int filled = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (filled < 2 && format.substr(i, 2) == "%d") {
            text += std::to_string(filled++ == 0 ? failed : total);
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

RunControl::RunControl(std::string tempFolder, std::string frontEnd, IStatusBar& statusBar,
                       IRunStateView& view, platform::IPowerManager& power, IEventPump* pump)
    : tempFolder(std::move(tempFolder)),
      frontEnd(std::move(frontEnd)),
      statusBar(statusBar),
      view(view),
      power(power),
      pump(pump) {}

void RunControl::SetStatusTexts(std::string stopped, std::string completed,
                                std::string failedJobs) {
    stoppedText = std::move(stopped);
    completedText = std::move(completed);
    failedJobsText = std::move(failedJobs);
}

RunOutcome RunControl::EncodeAll(const JobList& rows, const ScriptOptions& options) {
    if (rows.empty()) return RunOutcome::nothing;
    return Encode(rows, JobSelection{0, kAllValue, -1}, options);
}

RunOutcome RunControl::EncodeOne(const JobList& rows, int selectedRow,
                                 const ScriptOptions& options) {
    if (selectedRow < 0 || static_cast<size_t>(selectedRow) >= rows.size())
        return RunOutcome::nothing;
    return Encode(rows, JobSelection{-1, kAllValue, selectedRow}, options);
}

RunOutcome RunControl::EncodeBy(int group, const std::string& value, const JobList& rows,
                                const ScriptOptions& options) {
    if (rows.empty() || group < 0 || group >= kEncodeByGroupCount) return RunOutcome::nothing;
    return Encode(rows, JobSelection{EncodeByColumn(group), value, -1}, options);
}

void RunControl::RequestRun() {
    if (runRequested.exchange(true)) return;
    stopFlag.store(false);
}

void RunControl::EndRequest() {
    runRequested.store(false);
}

void RunControl::Stop() {
    if (!runRequested.load() && !Running()) return;
    stopFlag.store(true);
    if (CRedirect* runner = currentRunner.load()) runner->Stop();
    if (JobQueue* queue = currentQueue.load()) queue->Stop();
}

std::vector<int> RunControl::ProcessGroups() const {
    const JobQueue* queue = currentQueue.load();
    return queue ? queue->ProcessGroups() : std::vector<int>{};
}

RunOutcome RunControl::Encode(const JobList& rows, const JobSelection& selection,
                              ScriptOptions options) {
    if (Running() || rows.empty()) return RunOutcome::nothing;
    RequestRun();
    std::string error;
    std::optional<platform::RunFolder> folder =
        platform::RunFolder::Create(tempFolder, frontEnd, &error);
    if (!folder) {
        EndRequest();
        throw ScriptError(error);
    }
    options.tempFolder = folder->Path();
    options.runTag = folder->Tag();
    options.dialect = ScriptDialect::sh;
    options.jobsApart = true;
    Script script;
    try {
        script = BuildScript(options, rows, selection);
        // The list's script is kept as the record of what the run does.
        SaveScript(script, options.dialect, ScriptIn(folder->Path()));
        for (size_t i = 0; i < script.jobs.size(); ++i)
            SaveScript({script.jobs[i].script, 1, {}, {}}, options.dialect,
                       JobScriptIn(folder->Path(), static_cast<int>(i) + 1));
    } catch (const ScriptError&) {
        EndRequest();
        throw;
    }
    const RunOutcome outcome = RunWritten(script, folder->Path());
    keptRunFolder.clear();
    // A folder that vanished during the run holds no log to point the user to.
    if ((lastReport.FailedCount() > 0 || outcome == RunOutcome::failed) &&
        ::access(folder->Path().c_str(), F_OK) == 0) {
        folder->Keep();
        keptRunFolder = folder->Path();
    }
    EndRequest();
    if (outcome != RunOutcome::stopped && outcome != RunOutcome::failed &&
        view.ShutdownAfterEncoding() && view.ConfirmPowerOff(IdleText()))
        ShutdownComputer();
    return outcome;
}

RunOutcome RunControl::RunWritten(const Script& script, const std::string& runFolder) {
    StartTracking(script);
    RunJobs(script, runFolder);
    for (int number = 1; number <= script.jobCount; ++number)
        std::remove(JobScriptIn(runFolder, number).c_str());
    FinishTracking();
    RemoveWorkFiles(script);
    return Outcome();
}

void RunControl::RunJobs(const Script& script, const std::string& runFolder) {
    const bool showConsole = view.ShowEncodingConsole();
    const bool ownRequest = BeginRun(showConsole);
    std::vector<std::string> jobScripts, jobNames;
    for (int number = 1; number <= script.jobCount; ++number) {
        jobScripts.push_back(JobScriptIn(runFolder, number));
        jobNames.push_back(platform::ExtractFileName(script.jobs[number - 1].source));
    }
    PollEventPump pollPump;
    JobQueue::Events events;
    events.started = [this](int number) { TrackStart(number); };
    events.output = [this](int number, std::string_view text) {
        TrackOutput(number, text);
        if (outputObserver) outputObserver(text);
    };
    events.ended = [this](int number, bool stopped) { TrackEnd(number, stopped); };
    {
        JobQueue queue(script, std::move(jobScripts), jobsAtOnce, statusBar,
                       pump ? *pump : pollPump, std::move(events));
        currentQueue.store(&queue);
        // A Stop that came before the queue existed.
        if (stopFlag.load()) queue.Stop();
        SetRunState();
        queue.Run(showConsole, kRunPollInterval);
        lastError = queue.ErrorText();
        currentQueue.store(nullptr);
    }
    if (!stopFlag.load() && lastError.empty())
        lastReport = ReadRunReport(runFolder, jobNames, true);
    EndRun(showConsole, ownRequest);
}

bool RunControl::BeginRun(bool showConsole) {
    if (showConsole) view.MinimizeApplication();
    const bool ownRequest = !runRequested.load();
    RequestRun();
    lastError.clear();
    lastReport = {};
    return ownRequest;
}

void RunControl::EndRun(bool showConsole, bool ownRequest) {
    SetRunState();
    if (ownRequest) EndRequest();
    if (showConsole) view.RestoreApplication();
}

RunOutcome RunControl::Outcome() const {
    if (stopFlag.load()) return RunOutcome::stopped;
    if (!lastError.empty()) return RunOutcome::failed;
    return lastReport.FailedCount() > 0 ? RunOutcome::jobsFailed : RunOutcome::completed;
}

void RunControl::StartTracking(const Script& script) {
    tracker.reset();
    if (!progressObserver) return;
    std::vector<PlannedJob> jobs;
    for (const ScriptJob& job : script.jobs)
        jobs.push_back({platform::ExtractFileName(job.source),
                        job.encodes ? ProbeDurationSeconds(job.source) : 0, job.encodes});
    tracker.emplace(std::move(jobs), progressClock ? progressClock : SteadySeconds);
    progressObserver(tracker->Progress());
}

void RunControl::TrackStart(int number) {
    if (tracker && tracker->Start(number)) progressObserver(tracker->Progress());
}

void RunControl::TrackOutput(int number, std::string_view chunk) {
    if (tracker && tracker->Take(number, chunk)) progressObserver(tracker->Progress());
}

void RunControl::TrackEnd(int number, bool stopped) {
    if (!tracker) return;
    tracker->End(number, stopped ? JobState::stopped : JobState::done);
    progressObserver(tracker->Progress());
}

void RunControl::FinishTracking() {
    if (!tracker) return;
    tracker->Finish(stopFlag.load());
    for (const FailedJob& job : lastReport.failed) tracker->MarkFailed(job.number);
    progressObserver(tracker->Progress());
    tracker.reset();
}

int RunControl::RunScript(const std::string& scriptPath) {
    const bool showConsole = view.ShowEncodingConsole();
    const bool ownRequest = BeginRun(showConsole);
    {
        CRedirect runner(scriptPath, statusBar, {}, pump);
        if (outputObserver) runner.SetOutputObserver(outputObserver);
        currentRunner.store(&runner);
        // A Stop that came before the runner existed.
        if (stopFlag.load()) runner.Stop();
        SetRunState();
        runner.SetSleepInterval(kRunPollInterval);
        // Tools the script left running end with its process group inside
        // Run; other programs' tools of the same name are none of this run's business.
        runner.Run(showConsole);
        lastError = runner.ErrorText();
        currentRunner.store(nullptr);
    }
    EndRun(showConsole, ownRequest);
    return 0;
}

std::string RunControl::IdleText() const {
    if (stopFlag.load()) return stoppedText;
    // A run that could not be run must not look completed.
    if (!lastError.empty()) return lastError;
    if (lastReport.FailedCount() > 0)
        return FormatFailedJobsText(failedJobsText.empty() ? kFailedJobsFallback : failedJobsText,
                                    lastReport.FailedCount(), lastReport.jobCount);
    return completedText;
}

void RunControl::SetRunState() {
    const bool running = Running();
    statusBar.SetPanelText(kStatusPanel, "");
    statusBar.SetPanelText(kJobPanel, running ? "" : IdleText());
    view.SetEncodeCommandsEnabled(!running);
    view.SetStopEnabled(running);
    view.SetCloseBlocked(running);
}

bool RunControl::ShutdownComputer() {
    const bool accepted = power.PowerOff();
    view.EndProgramWithoutSaving();
    return accepted;
}

void RunControl::CloseCleanUp() {
    if (keptRunFolder.empty()) return;
    std::remove(ScriptIn(keptRunFolder).c_str());
}

}  // namespace tessaro
