#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <array>
#include <atomic>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/TerminalStatusBar.h"
#include "encode/RunControl.h"
#include "platform/Folders.h"
#include "platform/PowerManager.h"

namespace tessaro::cli {
namespace {

constexpr std::string_view kShutdownOption = "--shutdown";
constexpr std::string_view kShowConsoleOption = "--show-console";
// Options of the script command that encode sets itself.
constexpr std::array<std::string_view, 2> kFixedScriptOptions = {"--dialect", "--script"};
constexpr int kExitStopped = 130;
constexpr std::array kStopSignals = {SIGINT, SIGTERM, SIGHUP};

// The English texts the window shows before a language is applied.
constexpr const char* kStoppedText = "Stopped";
constexpr const char* kCompletedText = "Completed";

struct EncodeArguments {
    bool shutdown = false;
    bool showConsole = false;
    std::vector<std::string> scriptArguments;
};

bool IsOption(std::string_view argument, std::string_view name) {
    return argument == name ||
           (argument.starts_with(name) && argument.substr(name.size()).starts_with('='));
}

EncodeArguments SplitArguments(std::span<const std::string> arguments) {
    EncodeArguments result;
    bool operandsOnly = false;
    for (const std::string& argument : arguments) {
        if (!operandsOnly && argument == "--") operandsOnly = true;
        if (!operandsOnly && argument == kShutdownOption) {
            result.shutdown = true;
            continue;
        }
        if (!operandsOnly && argument == kShowConsoleOption) {
            result.showConsole = true;
            continue;
        }
        for (std::string_view fixed : kFixedScriptOptions)
            if (!operandsOnly && IsOption(argument, fixed))
                throw UsageError("encode always runs a sh script of its own; " +
                                 std::string(fixed) + " is not taken");
        result.scriptArguments.push_back(argument);
    }
    return result;
}

// The command line has no window to minimise, block or close.
class TerminalRunView final : public IRunStateView {
public:
    TerminalRunView(bool showConsole, bool shutdown)
        : showConsole_(showConsole), shutdown_(shutdown) {}

    void SetEncodeCommandsEnabled(bool) override {}
    void SetStopEnabled(bool) override {}
    void SetCloseBlocked(bool) override {}
    bool ShowEncodingConsole() const override { return showConsole_; }
    bool ShutdownAfterEncoding() const override { return shutdown_; }
    void MinimizeApplication() override {}
    void RestoreApplication() override {}
    void EndProgramWithoutSaving() override {}

private:
    bool showConsole_ = false;
    bool shutdown_ = false;
};

// Power-off goes through logind only when asked for, so that a run without
// --shutdown never talks to the system bus.
class OnDemandPowerManager final : public platform::IPowerManager {
public:
    bool PowerOff() override {
        int argc = 1;
        char name[] = "tessaro-cli";
        char* argv[] = {name, nullptr};
        std::optional<QCoreApplication> application;
        if (!QCoreApplication::instance()) application.emplace(argc, argv);
        platform::LogindPowerManager logind;
        accepted = logind.PowerOff();
        requested = true;
        return accepted;
    }

    bool requested = false;
    bool accepted = false;
};

std::atomic<RunControl*> activeControl{nullptr};

extern "C" void StopOnSignal(int) {
    if (RunControl* control = activeControl.load()) control->Stop();
}

// Ctrl-C (and a closed terminal or a polite kill) stop the run like the Stop
// button: the tools end with it, and the program reports the stop.
class StopSignals final {
public:
    explicit StopSignals(RunControl& control) {
        activeControl.store(&control);
        struct sigaction action {};
        action.sa_handler = StopOnSignal;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < kStopSignals.size(); ++i)
            ::sigaction(kStopSignals[i], &action, &previous_[i]);
    }
    ~StopSignals() {
        for (size_t i = 0; i < kStopSignals.size(); ++i)
            ::sigaction(kStopSignals[i], &previous_[i], nullptr);
        activeControl.store(nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

private:
    std::array<struct sigaction, kStopSignals.size()> previous_{};
};

// The shell's own complaints ("<script>: 5: fastcopy: not found") are the
// run's errors worth a line of their own; the tools' chatter is not.
class ShellErrorLines final {
public:
    ShellErrorLines(std::string scriptPath, TerminalStatusBar& bar)
        : prefix_(std::move(scriptPath) + ": "), bar_(bar) {}

    void Take(std::string_view chunk) {
        for (char c : chunk) {
            if (c == '\n' || c == '\r') {
                Flush();
            } else {
                line_ += c;
            }
        }
    }

private:
    void Flush() {
        if (line_.starts_with(prefix_)) bar_.PrintMessage(std::cerr, line_);
        line_.clear();
    }

    std::string prefix_;
    TerminalStatusBar& bar_;
    std::string line_;
};

int ExitCodeFor(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::completed:
            return kExitOk;
        case RunOutcome::stopped:
            return kExitStopped;
        case RunOutcome::failed:
        case RunOutcome::nothing:
            return kExitFailure;
    }
    return kExitFailure;
}

int RunEncode(std::span<const std::string> arguments) {
    const EncodeArguments parsed = SplitArguments(arguments);
    TerminalStatusBar bar(std::cout, ::isatty(STDOUT_FILENO) == 1);
    TerminalRunView view(parsed.showConsole, parsed.shutdown);
    OnDemandPowerManager power;
    RunControl control(platform::TempFolder(), bar, view, power);
    control.SetStatusTexts(kStoppedText, kCompletedText);

    const std::string scriptPath = control.ScriptPath();
    std::vector<std::string> scriptArguments = {"--dialect", "sh", "--script", scriptPath};
    scriptArguments.insert(scriptArguments.end(), parsed.scriptArguments.begin(),
                           parsed.scriptArguments.end());
    if (const int written = kScriptCommand.run(scriptArguments); written != kExitOk) return written;

    ShellErrorLines shellErrors(scriptPath, bar);
    control.SetOutputObserver([&](std::string_view chunk) { shellErrors.Take(chunk); });
    RunOutcome outcome;
    {
        StopSignals stopSignals(control);
        outcome = control.RunSequence(scriptPath);
    }
    bar.Finish();
    if (outcome == RunOutcome::failed)
        std::cerr << "tessaro-cli encode: " << control.LastError() << '\n';
    if (power.requested && !power.accepted)
        std::cerr << "tessaro-cli encode: the system did not take the power-off request\n";
    return ExitCodeFor(outcome);
}

}  // namespace

const CliCommand kEncodeCommand{
    "encode",
    "convert files: write the conversion script and run it",
    "Usage: tessaro-cli encode [script options] [--shutdown] [--show-console] PATH...\n"
    "\n"
    "Probes PATHs, writes the conversion script as \"tessaro-cli script\" does (see\n"
    "its --help for the script options; --dialect and --script are set by encode)\n"
    "and runs it, showing the job and status texts as the run goes on.\n"
    "\n"
    "  --shutdown          power the computer off when the run completes (asked of\n"
    "                      systemd-logind, which may ask for authorisation)\n"
    "  --show-console      let the tools write to this terminal instead of showing\n"
    "                      their progress as status\n"
    "\n"
    "Ctrl-C stops the run and ends the tools it started.\n"
    "\n"
    "Exit status: 0 when the run completed, 130 when it was stopped, 1 when it\n"
    "could not start (no rows, the script could not be saved or run), 2 for bad\n"
    "arguments.\n",
    RunEncode,
};

}  // namespace tessaro::cli
