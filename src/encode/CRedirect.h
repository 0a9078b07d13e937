#pragma once

#include <array>
#include <atomic>
#include <cerrno>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "encode/EventPump.h"
#include "encode/StatusBar.h"

namespace tessaro {

namespace platform {
class ChildProcess;
}

// Runs a conversion script under /bin/sh as a child process, captures its
// standard output and error through one pipe and turns the marker lines of
// the script into the job and status texts of the status bar.
class CRedirect {
public:
    // Every chunk as the runner reads it, before the markers are picked out;
    // error texts of the runner come through here as well.
    using OutputObserver = std::function<void(std::string_view chunk)>;

    // `currentDirectory` empty: the child starts in the caller's folder.
    // Without a pump the idle wait is a plain poll(2).
    CRedirect(std::string commandLine, IStatusBar& statusBar, std::string currentDirectory = {},
              IEventPump* pump = nullptr);
    virtual ~CRedirect();
    CRedirect(const CRedirect&) = delete;
    CRedirect& operator=(const CRedirect&) = delete;

    // Returns when the script and every tool it left behind have ended, after
    // Stop, or after an error. With the console shown the output is not
    // captured: it goes to the terminal the program runs in.
    virtual void Run(bool showConsole);
    // Run in steps, for a caller that runs several scripts at once: Start,
    // then Poll whenever one of WaitFds is readable (or the poll interval
    // passed) until it returns true, then Finish.
    // Start returns false after an error, which it has reported.
    bool Start(bool showConsole);
    // Delivers the output waiting now and honours Stop; true once the script
    // has ended (every byte read), was ended after Stop, or failed.
    bool Poll();
    // Ends what is left of the script's group and releases everything.
    void Finish();
    // What a wait for this script watches.
    std::vector<int> WaitFds() const;
    // Safe from another thread and from a signal handler.
    virtual void Stop();
    virtual void SetSleepInterval(int milliseconds);

    void OnOutput(std::string_view chunk);
    // Passes the message and the system's text for `errorNumber` through OnOutput.
    void ReportError(std::string_view message, int errorNumber = errno);
    void PumpMessages();

    // Index of the first `pattern` at or after `start`; -1 when there is none
    // or `start` is not inside the text.
    static int FindFrom(std::string_view text, std::string_view pattern, int start);

    void SetOutputObserver(OutputObserver observer) { outputObserver = std::move(observer); }
    bool StopRequested() const { return stopRequested.load(); }
    // The script's process group while Run is going on, else -1: every tool
    // of the run belongs to it.
    int ProcessGroup() const { return processGroup.load(); }
    int PollInterval() const { return pollInterval; }
    // The first failure of the last Run ("Error creating process: ..."), or empty.
    bool Failed() const { return !errorText.empty(); }
    const std::string& ErrorText() const { return errorText; }
    // The script's wait status after Run (see waitpid), -1 when it never ran.
    int ExitStatus() const { return exitStatus; }

private:
    enum class ReadResult { chunk, empty, endOfFile, failed };

    bool StartChild(int outputFd);
    bool PollCaptured();
    ReadResult ReadChunk(size_t limit, size_t* delivered = nullptr);
    void DrainPipe();
    void Cancel();
    void ClosePipeEnd(int& fd, std::string_view failureMessage);

    std::atomic<bool> stopRequested{false};
    int pollInterval = 100;
    IStatusBar& statusBar;
    std::string commandLine;
    std::string currentDirectory;
    IEventPump& pump;
    int wakeFd = -1;
    std::unique_ptr<platform::ChildProcess> child;
    std::array<int, 2> pipeFds{-1, -1};  // read end, write end
    bool pipeOpen = false;
    std::atomic<int> processGroup{-1};
    std::string errorText;
    int exitStatus = -1;
    OutputObserver outputObserver;
};

}  // namespace tessaro
