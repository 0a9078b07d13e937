#include "encode/CRedirect.h"

#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

#include "encode/RunMarkers.h"
#include "platform/ChildProcess.h"

namespace tessaro {
namespace {

constexpr const char* kShell = "/bin/sh";
constexpr size_t kReadBufferSize = 1024;
constexpr size_t kMaxReadSize = kReadBufferSize - 1;
constexpr size_t kMaxPanelCharacters = 128;
// The panel shows any chunk that starts like mencoder's progress record.
constexpr std::string_view kProgressPrefix = kProgressRecord.substr(0, 3);
// mencoder rewrites its progress line with CR; the script's echo ends lines with LF.
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kCancelledText =
    "\r\nCancelled.\r\n\r\nProcess terminated successfully.\r\n";
constexpr std::string_view kNoStatusText = "No status because FormatMessage failed.\r\n";
// Long enough for mencoder to close its file after SIGTERM.
constexpr auto kStopGrace = std::chrono::milliseconds(1000);

IEventPump& DefaultPump() {
    static PollEventPump pump;
    return pump;
}

// Absolute, so that it names the same file in the child's own folder and
// /bin/sh can never take it for an option.
std::string ScriptArgument(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? "./" + path : absolute.string();
}

// 0 when the script is a file that can be read, else the errno value.
int CheckScriptReadable(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info {};
    const int error = ::fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
    ::close(fd);
    return error;
}

int LastOccurrence(std::string_view text, std::string_view marker) {
    int last = -1;
    for (int hit = CRedirect::FindFrom(text, marker, 0); hit >= 0;
         hit = CRedirect::FindFrom(text, marker, hit + 1))
        last = hit;
    return last;
}

// UTF-8 aware, so a cut never splits a character.
std::string_view FirstCharacters(std::string_view text, size_t count) {
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool continuation = (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
        if (!continuation && characters++ == count) return text.substr(0, i);
    }
    return text;
}

std::string PanelText(std::string_view fromMarker) {
    const size_t lineEnd = fromMarker.find_first_of(kLineBreaks);
    if (lineEnd != std::string_view::npos) fromMarker = fromMarker.substr(0, lineEnd);
    return std::string(FirstCharacters(fromMarker, kMaxPanelCharacters));
}

}  // namespace

CRedirect::CRedirect(std::string commandLine, IStatusBar& statusBar, std::string currentDirectory,
                     IEventPump* pump)
    : statusBar(statusBar),
      commandLine(std::move(commandLine)),
      currentDirectory(std::move(currentDirectory)),
      pump(pump ? *pump : DefaultPump()),
      wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CRedirect::~CRedirect() {
    if (wakeFd >= 0) ::close(wakeFd);
}

void CRedirect::Run(bool showConsole) {
    if (!Start(showConsole)) return;
    while (!Poll()) {
        PumpMessages();
        pump.WaitIdle(WaitFds(), std::max(pollInterval, 1));
    }
    Finish();
}

bool CRedirect::Start(bool showConsole) {
    errorText.clear();
    exitStatus = -1;
    // A Stop that came while the run was being prepared is honoured before
    // anything starts.
    if (stopRequested.load()) {
        OnOutput(kCancelledText);
        return false;
    }
    if (!showConsole && ::pipe2(pipeFds.data(), O_CLOEXEC) != 0) {
        ReportError("Error creating pipe");
        return false;
    }
    if (pipeFds[0] >= 0) ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
    child = std::make_unique<platform::ChildProcess>();
    if (!StartChild(pipeFds[1])) {
        Finish();
        return false;
    }
    processGroup.store(child->Pid());
    // Only the child writes now, so the pipe reports its end once the
    // script and every tool holding it have ended.
    ClosePipeEnd(pipeFds[1], "Error closing pipe write handle.");
    pipeOpen = pipeFds[0] >= 0;
    return true;
}

bool CRedirect::Poll() {
    if (!child || !child->Started()) return true;
    if (stopRequested.load()) {
        Cancel();
        return true;
    }
    return pipeFds[0] >= 0 ? PollCaptured() : child->HasEnded();
}

// Tools of the script still running after it ended are ended with it: the
// group holds only what this run started.
void CRedirect::Finish() {
    if (child && child->Started()) {
        if (!child->Close(kStopGrace)) ReportError("Error closing process handle.");
        exitStatus = child->ExitStatus();
    }
    child.reset();
    processGroup.store(-1);
    pipeOpen = false;
    ClosePipeEnd(pipeFds[0], "Error closing pipe read handle.");
    ClosePipeEnd(pipeFds[1], "Error closing pipe write handle.");
}

std::vector<int> CRedirect::WaitFds() const {
    std::vector<int> fds;
    for (int fd : {pipeOpen ? pipeFds[0] : -1, child ? child->ExitFd() : -1, wakeFd})
        if (fd >= 0) fds.push_back(fd);
    return fds;
}

void CRedirect::Stop() {
    const int savedErrno = errno;
    stopRequested.store(true);
    if (wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeFd, &one, sizeof one);
    }
    errno = savedErrno;
}

void CRedirect::SetSleepInterval(int milliseconds) {
    pollInterval = milliseconds;
}

void CRedirect::OnOutput(std::string_view chunk) {
    if (outputObserver) outputObserver(chunk);
    const std::string_view text = chunk.substr(0, chunk.find('\0'));
    const int job = LastOccurrence(text, kJobMarker);
    int status = LastOccurrence(text, kStatusMarker);
    if (status >= 0)
        status += static_cast<int>(kStatusMarker.size());
    else if (text.starts_with(kProgressPrefix))
        status = 0;
    if (job >= 0)
        statusBar.SetPanelText(kJobPanel, PanelText(text.substr(job + kJobMarker.size())));
    if (status >= 0) statusBar.SetPanelText(kStatusPanel, PanelText(text.substr(status)));
}

void CRedirect::ReportError(std::string_view message, int errorNumber) {
    const char* description = ::strerrordesc_np(errorNumber);
    std::string text(message);
    text += "\r\n";
    text += description ? std::string(description) + "\r\n" : std::string(kNoStatusText);
    if (errorText.empty())
        errorText = std::string(message) + (description ? std::string(": ") + description : "");
    OnOutput(text);
}

void CRedirect::PumpMessages() {
    pump.PumpMessages();
}

int CRedirect::FindFrom(std::string_view text, std::string_view pattern, int start) {
    if (start < 0 || static_cast<size_t>(start) >= text.size()) return -1;
    const size_t hit = text.find(pattern, static_cast<size_t>(start));
    return hit == std::string_view::npos ? -1 : static_cast<int>(hit);
}

bool CRedirect::StartChild(int outputFd) {
    int error = CheckScriptReadable(commandLine);
    if (error == 0)
        error = child->Start({kShell, ScriptArgument(commandLine)}, currentDirectory, outputFd);
    if (error == 0) return true;
    ReportError("Error creating process", error);
    return false;
}

// Output pending is always read first; the end of the child is looked at only
// when the pipe is empty, and what arrived meanwhile is drained after it, so
// every byte written before the child ended is delivered.
bool CRedirect::PollCaptured() {
    if (pipeOpen) {
        const ReadResult result = ReadChunk(kMaxReadSize);
        if (result == ReadResult::failed) {
            ReportError("ReadFile fialed");
            return true;
        }
        if (result == ReadResult::chunk) return false;
        pipeOpen = result == ReadResult::empty;
    }
    if (!child->HasEnded()) return false;
    DrainPipe();
    return true;
}

CRedirect::ReadResult CRedirect::ReadChunk(size_t limit, size_t* delivered) {
    char buffer[kReadBufferSize];
    ssize_t count;
    do {
        count = ::read(pipeFds[0], buffer, std::min(limit, kMaxReadSize));
    } while (count < 0 && errno == EINTR);
    if (count < 0) return errno == EAGAIN ? ReadResult::empty : ReadResult::failed;
    if (count == 0) return ReadResult::endOfFile;
    std::replace(buffer, buffer + count, '\b', ' ');
    OnOutput(std::string_view(buffer, static_cast<size_t>(count)));
    if (delivered) *delivered = static_cast<size_t>(count);
    return ReadResult::chunk;
}

// Reads only what the pipe holds now: a tool that outlived the script may keep
// it open and go on writing, and must not hold up the end of the run.
void CRedirect::DrainPipe() {
    int pending = 0;
    if (::ioctl(pipeFds[0], FIONREAD, &pending) != 0) return;
    for (size_t left = static_cast<size_t>(pending); left > 0;) {
        size_t delivered = 0;
        if (ReadChunk(left, &delivered) != ReadResult::chunk) return;
        left -= delivered;
    }
}

void CRedirect::Cancel() {
    if (child->TerminateGroup(kStopGrace))
        OnOutput(kCancelledText);
    else
        ReportError("Error terminating process.");
}

void CRedirect::ClosePipeEnd(int& fd, std::string_view failureMessage) {
    if (fd < 0) return;
    if (::close(fd) != 0) ReportError(failureMessage);
    fd = -1;
}

}  // namespace tessaro
