#include "encode/RunControl.h"

#include <cstdio>

#include "encode/PopupMenuState.h"
#include "platform/PowerManager.h"

namespace tessaro {
namespace {

constexpr int kRunPollInterval = 200;
constexpr const char* kAllValue = "0";

}  // namespace

RunControl::RunControl(std::string tempFolder, IStatusBar& statusBar, IRunStateView& view,
                       platform::IPowerManager& power, IEventPump* pump)
    : tempFolder(std::move(tempFolder)), statusBar(statusBar), view(view), power(power), pump(pump) {}

void RunControl::SetStatusTexts(std::string stopped, std::string completed) {
    stoppedText = std::move(stopped);
    completedText = std::move(completed);
}

RunOutcome RunControl::EncodeAll(const JobList& rows, const ScriptOptions& options) {
    if (rows.empty()) return RunOutcome::nothing;
    return EncodeSelection(rows, JobSelection{0, kAllValue, -1}, options);
}

RunOutcome RunControl::EncodeOne(const JobList& rows, int selectedRow, const ScriptOptions& options) {
    if (selectedRow < 0 || static_cast<size_t>(selectedRow) >= rows.size()) return RunOutcome::nothing;
    return EncodeSelection(rows, JobSelection{-1, kAllValue, selectedRow}, options);
}

RunOutcome RunControl::EncodeBy(int group, const std::string& value, const JobList& rows,
                                const ScriptOptions& options) {
    if (rows.empty() || group < 0 || group >= kEncodeByGroupCount) return RunOutcome::nothing;
    return EncodeSelection(rows, JobSelection{EncodeByColumn(group), value, -1}, options);
}

void RunControl::Stop() {
    CRedirect* runner = currentRunner.load();
    if (!runner) return;
    stopFlag.store(true);
    runner->Stop();
}

int RunControl::RunScript(const std::string& scriptPath) {
    const bool showConsole = view.ShowEncodingConsole();
    if (showConsole) view.MinimizeApplication();
    stopFlag.store(false);
    lastError.clear();
    {
        CRedirect runner(scriptPath, statusBar, {}, pump);
        runner.SetOutputObserver(outputObserver);
        currentRunner.store(&runner);
        SetRunState();
        runner.SetSleepInterval(kRunPollInterval);
        // Tools the script left running end with its process group inside
        // Run; other programs' tools of the same name are none of this run's business.
        runner.Run(showConsole);
        lastError = runner.ErrorText();
        currentRunner.store(nullptr);
    }
    SetRunState();
    if (showConsole) view.RestoreApplication();
    return 0;
}

void RunControl::SetRunState() {
    const bool running = Running();
    if (running) {
        statusBar.SetPanelText(kJobPanel, "");
        statusBar.SetPanelText(kStatusPanel, "");
    } else {
        statusBar.SetPanelText(kStatusPanel, "");
        // A run that could not be run must not look completed.
        statusBar.SetPanelText(kJobPanel, stopFlag.load()     ? stoppedText
                                          : lastError.empty() ? completedText
                                                              : lastError);
    }
    view.SetEncodeCommandsEnabled(!running);
    view.SetStopEnabled(running);
    view.SetCloseBlocked(running);
}

bool RunControl::ShutdownComputer() {
    const bool accepted = power.PowerOff();
    view.EndProgramWithoutSaving();
    return accepted;
}

void RunControl::CloseCleanUp() { std::remove(ScriptPath().c_str()); }

std::string RunControl::ScriptPath() const {
    ScriptOptions options;
    options.tempFolder = tempFolder;
    options.dialect = ScriptDialect::sh;
    return ScriptPathFor(options);
}

RunOutcome RunControl::EncodeSelection(const JobList& rows, const JobSelection& selection,
                                       ScriptOptions options) {
    if (Running()) return RunOutcome::nothing;
    options.tempFolder = tempFolder;
    options.dialect = ScriptDialect::sh;
    const std::string scriptPath = ScriptPath();
    WriteScript(options, rows, selection, scriptPath);
    return RunSequence(scriptPath);
}

RunOutcome RunControl::RunSequence(const std::string& scriptPath) {
    if (Running()) return RunOutcome::nothing;
    RunScript(scriptPath);
    if (stopFlag.load()) return RunOutcome::stopped;
    if (!lastError.empty()) return RunOutcome::failed;
    if (view.ShutdownAfterEncoding()) ShutdownComputer();
    return RunOutcome::completed;
}

}  // namespace tessaro
