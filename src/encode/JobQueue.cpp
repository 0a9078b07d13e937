#include "encode/JobQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <set>

#include "encode/CRedirect.h"
#include "encode/RunMarkers.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

std::set<std::string> WrittenFiles(const ScriptJob& job) {
    std::set<std::string> files;
    for (const std::string& path : job.writes) files.insert(platform::ToLowerAscii(path));
    return files;
}

bool Touches(const ScriptJob& job, const std::set<std::string>& written) {
    return written.count(platform::ToLowerAscii(job.source)) != 0 ||
           std::ranges::any_of(job.writes, [&](const std::string& path) {
               return written.count(platform::ToLowerAscii(path)) != 0;
           });
}

std::vector<std::vector<size_t>> EarlierClashes(const std::vector<ScriptJob>& jobs) {
    std::vector<std::set<std::string>> written;
    for (const ScriptJob& job : jobs) written.push_back(WrittenFiles(job));
    std::vector<std::vector<size_t>> clashes(jobs.size());
    for (size_t later = 0; later < jobs.size(); ++later)
        for (size_t earlier = 0; earlier < later; ++earlier)
            if (Touches(jobs[later], written[earlier]) || Touches(jobs[earlier], written[later]))
                clashes[later].push_back(earlier);
    return clashes;
}

}  // namespace

// One job's own two panels, as its script's markers set them.
class JobQueue::JobPanels final : public IStatusBar {
public:
    explicit JobPanels(JobQueue& queue) : queue_(queue) {}
    void SetPanelText(int panel, const std::string& text) override {
        texts[static_cast<size_t>(panel)] = text;
        queue_.ShowPanels();
    }
    std::array<std::string, 2> texts;

private:
    JobQueue& queue_;
};

struct JobQueue::RunningJob {
    RunningJob(JobQueue& queue, size_t index, const std::string& script, IEventPump& pump)
        : index(index), panels(queue), runner(script, panels, {}, &pump) {}

    size_t index;
    JobPanels panels;
    CRedirect runner;
    std::string pendingLine;
};

JobQueue::JobQueue(const Script& script, std::vector<std::string> scripts, int jobsAtOnce,
                   IStatusBar& statusBar, IEventPump& pump, Events events)
    : count_(script.jobCount),
      scripts_(std::move(scripts)),
      jobsAtOnce_(static_cast<size_t>(std::max(1, jobsAtOnce))),
      clashes_(EarlierClashes(script.jobs)),
      stages_(scripts_.size(), Stage::waiting),
      statusBar_(statusBar),
      pump_(pump),
      events_(std::move(events)),
      wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

JobQueue::~JobQueue() {
    if (wakeFd_ >= 0) ::close(wakeFd_);
}

// Each job is a process of its own, started here when a place is free; the
// end of one is what starts the next. No thread is involved: the outputs of
// all running jobs are read in turn on the caller's thread, which also keeps
// the window responsive between reads.
void JobQueue::Run(bool showConsole, int pollInterval) {
    for (;;) {
        if (starting_ && !stopRequested_.load()) StartReadyJobs(showConsole, pollInterval);
        if (running_.empty()) return;
        if (stopRequested_.load())
            for (const auto& job : running_) job->runner.Stop();
        const bool ended = PollRunningJobs();
        pump_.PumpMessages();
        // A place that came free is filled at once.
        if (!ended) WaitIdle(pollInterval);
    }
}

void JobQueue::Stop() {
    stopRequested_.store(true);
    if (wakeFd_ < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

std::vector<int> JobQueue::ProcessGroups() const {
    std::vector<int> groups;
    for (const auto& job : running_)
        if (job->runner.ProcessGroup() > 0) groups.push_back(job->runner.ProcessGroup());
    return groups;
}

void JobQueue::StartReadyJobs(bool showConsole, int pollInterval) {
    for (size_t index = 0; index < stages_.size() && running_.size() < jobsAtOnce_; ++index) {
        if (!Ready(index)) continue;
        stages_[index] = Stage::running;
        auto job = std::make_unique<RunningJob>(*this, index, scripts_[index], pump_);
        job->runner.SetSleepInterval(pollInterval);
        job->runner.SetOutputObserver(
            [this, raw = job.get()](std::string_view chunk) { TakeOutput(*raw, chunk); });
        running_.push_back(std::move(job));
        RunningJob& started = *running_.back();
        if (started.runner.Start(showConsole)) {
            anyStarted_ = true;
            events_.started(static_cast<int>(index) + 1);
            continue;
        }
        // A run none of whose jobs could start could not be run at all; later
        // on, a job that cannot start fails alone, unrecorded.
        if (!anyStarted_) {
            errorText_ = started.runner.ErrorText();
            starting_ = false;
        }
        EndJob(started, false);
        if (!starting_) return;
    }
}

bool JobQueue::Ready(size_t index) const {
    if (stages_[index] != Stage::waiting) return false;
    return std::ranges::all_of(clashes_[index],
                               [this](size_t earlier) { return stages_[earlier] == Stage::ended; });
}

bool JobQueue::PollRunningJobs() {
    bool ended = false;
    for (size_t i = 0; i < running_.size();) {
        RunningJob& job = *running_[i];
        if (!job.runner.Poll()) {
            ++i;
            continue;
        }
        EndJob(job, job.runner.StopRequested());
        ended = true;
    }
    return ended;
}

void JobQueue::EndJob(RunningJob& job, bool stopped) {
    job.runner.Finish();
    if (!job.pendingLine.empty()) events_.output(static_cast<int>(job.index) + 1, job.pendingLine);
    stages_[job.index] = Stage::ended;
    const int number = static_cast<int>(job.index) + 1;
    std::erase_if(running_, [&](const auto& running) { return running.get() == &job; });
    events_.ended(number, stopped);
    ShowPanels();
}

void JobQueue::WaitIdle(int pollInterval) {
    std::vector<int> fds{wakeFd_};
    for (const auto& job : running_)
        for (int fd : job->runner.WaitFds()) fds.push_back(fd);
    pump_.WaitIdle(fds, std::max(pollInterval, 1));
}

void JobQueue::TakeOutput(RunningJob& job, std::string_view chunk) {
    const int number = static_cast<int>(job.index) + 1;
    for (const char c : chunk) {
        job.pendingLine += c;
        if (c != '\n' && c != '\r') continue;
        events_.output(number, job.pendingLine);
        job.pendingLine.clear();
    }
}

void JobQueue::ShowPanels() {
    std::vector<int> numbers;
    const std::string* status = nullptr;
    for (const auto& job : running_) {
        if (job->panels.texts[kJobPanel].empty()) continue;
        numbers.push_back(static_cast<int>(job->index) + 1);
        if (!status) status = &job->panels.texts[kStatusPanel];
    }
    if (numbers.empty()) return;
    std::ranges::sort(numbers);
    const std::array<std::string, 2> texts = {JobText(numbers, count_), *status};
    for (int panel : {kJobPanel, kStatusPanel}) {
        const auto index = static_cast<size_t>(panel);
        if (texts[index] == shown_[index]) continue;
        shown_[index] = texts[index];
        statusBar_.SetPanelText(panel, texts[index]);
    }
}

}  // namespace tessaro
