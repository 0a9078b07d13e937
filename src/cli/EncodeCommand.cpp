#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliOptions.h"
#include "cli/ScriptRequest.h"
#include "cli/TerminalStatusBar.h"
#include "encode/JobsAtOnce.h"
#include "encode/RunControl.h"
#include "encode/RunReport.h"
#include "encode/ScriptDialect.h"
#include "platform/Folders.h"
#include "platform/MachineCores.h"
#include "platform/PowerManager.h"

namespace tessaro::cli {
namespace {

constexpr std::string_view kShutdownOption = "--shutdown";
constexpr std::string_view kShowConsoleOption = "--show-console";
constexpr std::string_view kJobsOption = "--jobs";
constexpr std::string_view kAutoJobs = "auto";
constexpr int kMaxJobsAtOnce = 256;
// Options of the script command that encode sets itself.
constexpr std::array<std::string_view, 2> kFixedScriptOptions = {"--dialect", "--script"};
constexpr int kExitJobsFailed = 3;
constexpr int kExitStopped = 130;
constexpr int kShownLogLines = 5;
constexpr int kDefaultCountdownSeconds = 60;
constexpr std::array kStopSignals = {SIGINT, SIGTERM, SIGHUP};

// The English texts the window shows before a language is applied.
constexpr const char* kStoppedText = "Stopped";
constexpr const char* kCompletedText = "Completed";
constexpr const char* kFailedJobsText = "%d of %d jobs failed";

struct EncodeArguments {
    bool shutdown = false;
    bool showConsole = false;
    // A list converts side by side unless told otherwise.
    int jobsAtOnce = kJobsAtOnceAuto;
    std::vector<std::string> scriptArguments;
};

int ParseJobsAtOnce(std::string_view value) {
    if (value == kAutoJobs) return kJobsAtOnceAuto;
    int jobs = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
    if (error != std::errc() || end != value.data() + value.size() || jobs < 1 ||
        jobs > kMaxJobsAtOnce)
        throw UsageError("--jobs takes a count from 1 to " + std::to_string(kMaxJobsAtOnce) +
                         " or \"auto\", not \"" + std::string(value) + "\"");
    return jobs;
}

bool IsOption(std::string_view argument, std::string_view name) {
    return argument == name ||
           (argument.starts_with(name) && argument.substr(name.size()).starts_with('='));
}

EncodeArguments SplitArguments(std::span<const std::string> arguments) {
    EncodeArguments result;
    bool operandsOnly = false;
    bool jobsGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!operandsOnly && argument == "--") operandsOnly = true;
        if (!operandsOnly && IsOption(argument, kJobsOption)) {
            if (jobsGiven) throw UsageError("--jobs given twice");
            jobsGiven = true;
            if (argument.size() > kJobsOption.size()) {
                result.jobsAtOnce = ParseJobsAtOnce(argument.substr(kJobsOption.size() + 1));
                continue;
            }
            if (++i == arguments.size()) throw UsageError("--jobs needs a value");
            result.jobsAtOnce = ParseJobsAtOnce(arguments[i]);
            continue;
        }
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
std::atomic<bool> stopSignalled{false};

// Seconds the user has to cancel a power-off; TESSARO_SHUTDOWN_COUNTDOWN may
// shorten it (scripts, tests).
int CountdownSeconds() {
    const char* value = std::getenv("TESSARO_SHUTDOWN_COUNTDOWN");
    if (value == nullptr || *value == '\0') return kDefaultCountdownSeconds;
    return std::clamp(std::atoi(value), 0, kDefaultCountdownSeconds * 10);
}

// Waits a second, or less when Ctrl-C comes; whether it came.
bool SecondPassedUninterrupted() {
    for (int tenth = 0; tenth < 10; ++tenth) {
        if (stopSignalled.load()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return !stopSignalled.load();
}

class TerminalRunView final : public IRunStateView {
public:
    TerminalRunView(bool showConsole, bool shutdown, TerminalStatusBar& bar)
        : showConsole_(showConsole), shutdown_(shutdown), bar_(bar) {}

    // Counts down on the terminal; Ctrl-C cancels.
    bool ConfirmPowerOff(const std::string& runEnd) override {
        stopSignalled.store(false);
        for (int left = CountdownSeconds(); left > 0; --left) {
            bar_.PrintMessage(std::cout, runEnd + ": powering off in " + std::to_string(left) +
                                             " s; Ctrl-C cancels");
            if (!SecondPassedUninterrupted()) {
                bar_.PrintMessage(std::cout, "Power-off cancelled");
                return false;
            }
        }
        return true;
    }

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
    TerminalStatusBar& bar_;
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
    stopSignalled.store(true);
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

// Lines of the run worth one of their own: the shell's complaints about a
// job's script ("<run folder>/~tmp86CB-3.sh: 5: ...") and the announcement of an
// output that takes another name. The tools' chatter is not; a failed tool is
// named with its job at the end.
class RunMessageLines final {
public:
    explicit RunMessageLines(TerminalStatusBar& bar) : bar_(bar) {}

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
        if (IsScriptComplaint(line_)) bar_.PrintMessage(std::cerr, line_);
        if (line_.starts_with(kOutputAnnouncement)) bar_.PrintMessage(std::cout, line_);
        line_.clear();
    }

    static bool IsScriptComplaint(const std::string& line) {
        const size_t script = line.find("/" + std::string(kScriptStem));
        return script != std::string::npos && line.find(".sh: ", script) != std::string::npos;
    }

    TerminalStatusBar& bar_;
    std::string line_;
};

int ExitCodeFor(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::completed:
            return kExitOk;
        case RunOutcome::jobsFailed:
            return kExitJobsFailed;
        case RunOutcome::stopped:
            return kExitStopped;
        case RunOutcome::failed:
        case RunOutcome::nothing:
            return kExitFailure;
    }
    return kExitFailure;
}

void PrintIndented(std::ostream& out, const std::string& lines) {
    size_t start = 0;
    while (start < lines.size()) {
        const size_t end = lines.find('\n', start);
        out << "    " << lines.substr(start, end - start) << '\n';
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

// Each failed job by its number and file, with the end of its tool's messages.
void ReportFailedJobs(const RunControl& control) {
    const RunReport& report = control.LastReport();
    for (const FailedJob& job : report.failed) {
        std::cerr << "tessaro-cli encode: job " << job.number << "/" << report.jobCount;
        if (job.logPath.empty()) {
            std::cerr << " failed: " << job.name
                      << (report.recordLost ? ": the run's record of it was lost\n"
                                            : ": the script ended before it\n");
            continue;
        }
        std::cerr << " failed: " << job.name << '\n';
        PrintIndented(std::cerr, LastLines(job.logPath, kShownLogLines));
    }
    if (!control.KeptRunFolder().empty())
        std::cerr << "tessaro-cli encode: the failed jobs' messages are kept in "
                  << control.KeptRunFolder() << " until the next encode\n";
}

int RunEncode(std::span<const std::string> arguments) {
    const EncodeArguments parsed = SplitArguments(arguments);
    const ScriptRequest request(parsed.scriptArguments);
    TerminalStatusBar bar(std::cout, ::isatty(STDOUT_FILENO) == 1);
    TerminalRunView view(parsed.showConsole, parsed.shutdown, bar);
    OnDemandPowerManager power;
    RunControl control(request.Options().tempFolder, "cli", bar, view, power);
    control.SetStatusTexts(kStoppedText, kCompletedText, kFailedJobsText);

    // From here on Ctrl-C stops the run, also while the files are probed.
    StopSignals stopSignals(control);
    control.RequestRun();
    const JobList rows = request.Rows();
    if (rows.empty()) {
        std::cerr << "tessaro-cli encode: no job rows, nothing to do\n";
        return kExitFailure;
    }
    control.SetJobsAtOnce(JobsAtOnce(parsed.jobsAtOnce, platform::MachineCores(), rows));
    RunMessageLines messages(bar);
    control.SetOutputObserver([&](std::string_view chunk) { messages.Take(chunk); });
    control.SetProgressObserver([&](const RunProgress& progress) { bar.SetProgress(progress); });
    RunOutcome outcome;
    try {
        outcome = control.Encode(rows, request.Selection(rows.size()), request.Options());
    } catch (const ScriptError& error) {
        std::cerr << "tessaro-cli encode: " << error.what() << '\n';
        return kExitFailure;
    }
    bar.Finish();
    if (outcome == RunOutcome::failed)
        std::cerr << "tessaro-cli encode: " << control.LastError() << '\n';
    if (outcome == RunOutcome::jobsFailed) ReportFailedJobs(control);
    if (power.requested && !power.accepted)
        std::cerr << "tessaro-cli encode: the system did not take the power-off request\n";
    return ExitCodeFor(outcome);
}

}  // namespace

const CliCommand kEncodeCommand{
    "encode",
    "convert files: write the conversion script and run it",
    "Usage: tessaro-cli encode [script options] [--jobs N|auto] [--shutdown]\n"
    "                          [--show-console] PATH...\n"
    "\n"
    "Probes PATHs, writes the conversion script as \"tessaro-cli script\" does (see\n"
    "its --help for the script options; --dialect and --script are set by encode)\n"
    "into a fresh folder of this run inside the temp folder, and runs it, showing\n"
    "the job and status texts as the run goes on. Every job's tools are checked:\n"
    "a failed job leaves no output behind (an earlier output stays as it was), is\n"
    "named with the end of its tool's messages, and the run goes on.\n"
    "\n"
    "  --jobs N|auto       convert up to N jobs of the list side by side, each in\n"
    "                      processes of its own (default auto: as many as keep\n"
    "                      the cores busy; 1 converts one job after another).\n"
    "                      Jobs that write the same file, or a file another job\n"
    "                      reads, never run together\n"
    "  --shutdown          power the computer off when the run has ended and was not\n"
    "                      stopped, after a 60-second count-down that Ctrl-C cancels\n"
    "                      (asked of systemd-logind, which may ask for authorisation)\n"
    "  --show-console      let the tools write to this terminal instead of showing\n"
    "                      their progress as status\n"
    "\n"
    "Ctrl-C stops the run and ends the tools it started.\n"
    "\n"
    "Exit status: 0 when every job was done, 1 when there was nothing to do or the\n"
    "run could not start (no rows, the script could not be saved or run), 2 for\n"
    "bad arguments, 3 when the run finished but some jobs failed, 130 when it was\n"
    "stopped.\n",
    RunEncode,
};

}  // namespace tessaro::cli
