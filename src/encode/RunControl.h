#pragma once

#include <atomic>
#include <string>

#include "encode/CRedirect.h"
#include "encode/EventPump.h"
#include "encode/JobRow.h"
#include "encode/RunStateView.h"
#include "encode/ScriptError.h"
#include "encode/ScriptWriter.h"
#include "encode/StatusBar.h"

namespace tessaro {

namespace platform {
class IPowerManager;
}

enum class RunOutcome {
    nothing,    // no job to run: no script, no change
    completed,
    stopped,
    failed,     // the script could not be run; the error is in panel 0
};

// The encode commands of the window, without the window: writes the script,
// runs it through a CRedirect while the view shows a run in progress, puts
// the view back into its idle state and powers the computer off when asked.
class RunControl final {
public:
    // Every run is written to and started from `tempFolder`.
    RunControl(std::string tempFolder, IStatusBar& statusBar, IRunStateView& view,
               platform::IPowerManager& power, IEventPump* pump = nullptr);
    RunControl(const RunControl&) = delete;
    RunControl& operator=(const RunControl&) = delete;

    // The stopped and completed texts of the current language.
    void SetStatusTexts(std::string stopped, std::string completed);
    // Sees every chunk of the script's output (the command line prints errors from it).
    void SetOutputObserver(CRedirect::OutputObserver observer) { outputObserver = std::move(observer); }

    // The encode commands. A script that cannot be written throws ScriptError
    // and no run starts.
    RunOutcome EncodeAll(const JobList& rows, const ScriptOptions& options);
    RunOutcome EncodeOne(const JobList& rows, int selectedRow, const ScriptOptions& options);
    // `group` 0 to 3 and one of its values, as the "Encode By(B)" submenu carries them.
    RunOutcome EncodeBy(int group, const std::string& value, const JobList& rows,
                        const ScriptOptions& options);

    // The Stop command; also safe from a signal handler on the running thread.
    void Stop();
    bool Running() const { return currentRunner.load() != nullptr; }
    bool StopFlag() const { return stopFlag.load(); }
    CRedirect* CurrentRunner() const { return currentRunner.load(); }

    // Runs a script written already, then powers off when the run completed
    // and the view asks for it.
    RunOutcome RunSequence(const std::string& scriptPath);
    int RunScript(const std::string& scriptPath);
    void SetRunState();
    // Asks for power-off and ends the program; returns whether the system took
    // the request (seen only where the view lets the program go on).
    bool ShutdownComputer();
    // When the window closes: the script is removed.
    void CloseCleanUp();

    std::string ScriptPath() const;
    // The first failure of the last run, or empty.
    const std::string& LastError() const { return lastError; }

private:
    RunOutcome EncodeSelection(const JobList& rows, const JobSelection& selection, ScriptOptions options);

    std::atomic<CRedirect*> currentRunner{nullptr};
    std::atomic<bool> stopFlag{false};
    std::string tempFolder;
    IStatusBar& statusBar;
    IRunStateView& view;
    platform::IPowerManager& power;
    IEventPump* pump = nullptr;
    std::string stoppedText;
    std::string completedText;
    std::string lastError;
    CRedirect::OutputObserver outputObserver;
};

}  // namespace tessaro
