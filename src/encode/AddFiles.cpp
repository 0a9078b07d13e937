#include "encode/AddFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <exception>
#include <future>
#include <map>

#include "encode/FileKind.h"
#include "encode/Probe.h"
#include "platform/MachineCores.h"
#include "platform/Paths.h"

namespace tessaro {

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<SkipReason> ReasonToSkip(const std::string& path, int serial, size_t listedRows) {
    if (!IsAcceptedFile(platform::ExtractFileExt(path), serial)) return SkipReason::notAccepted;
    if (!IsRegularFile(path)) return SkipReason::missing;
    if (listedRows >= kMaxJobRows) return SkipReason::listFull;
    return std::nullopt;
}

struct ProbeOutcome {
    video_struct record;
    int8_t code = -1;
    bool unreadable = false;
};

ProbeOutcome ProbeOne(const std::string& path, int serial) {
    ProbeOutcome outcome;
    try {
        const FileKind kind = ClassifyFile(platform::ExtractFileExt(path), serial);
        outcome.code = ProbeFile(kind, outcome.record, path, serial);
    } catch (const std::exception&) {
        // Only a subtitle file read whole can fail here; it never becomes a job.
        outcome.unreadable = true;
    }
    return outcome;
}

}  // namespace

// Keeps one probe running per core, the file wanted next among them, while
// the caller takes the results in order (or, on the caller's thread, probes
// each file as it is taken). A file probed ahead that is not listed after all
// (the list filled up, the caller stopped) is only wasted work.
class ProbeAhead final {
public:
    ProbeAhead(const std::vector<std::string>& paths, int serial, ProbeThreads threads)
        : paths_(paths), serial_(serial), threads_(threads), cores_(platform::MachineCores()) {}

    ProbeOutcome Take(size_t index) {
        if (threads_ == ProbeThreads::caller) return ProbeOne(paths_[index], serial_);
        started_.erase(started_.begin(), started_.lower_bound(index));  // skipped after all
        if (started_.find(index) == started_.end()) started_.emplace(index, Launch(index));
        LaunchAfter(index);
        auto wanted = started_.extract(index);
        return wanted.mapped().get();
    }

private:
    std::future<ProbeOutcome> Launch(size_t index) const {
        return std::async(std::launch::async, ProbeOne, paths_[index], serial_);
    }

    bool WorthProbing(size_t index) const {
        return !ReasonToSkip(paths_[index], serial_, 0).has_value();
    }

    // Reads paths_ afresh each time: the caller may have appended to it.
    void LaunchAfter(size_t index) {
        for (ahead_ = std::max(ahead_, index + 1);
             ahead_ < paths_.size() && started_.size() < cores_; ++ahead_) {
            if (WorthProbing(ahead_)) started_.emplace(ahead_, Launch(ahead_));
        }
    }

    const std::vector<std::string>& paths_;
    const int serial_;
    const ProbeThreads threads_;
    const size_t cores_;
    size_t ahead_ = 0;
    std::map<size_t, std::future<ProbeOutcome>> started_;
};

const char* SkipReasonText(SkipReason reason) {
    switch (reason) {
        case SkipReason::notAccepted:
            return "file type not accepted";
        case SkipReason::missing:
            return "no such file";
        case SkipReason::listFull:
            return "job list is full";
        case SkipReason::unreadable:
            return "cannot be read";
    }
    return "skipped";
}

FileAdder::FileAdder(int serial, ProbeThreads threads)
    : serial_(serial), probes_(std::make_unique<ProbeAhead>(paths_, serial, threads)) {}

FileAdder::~FileAdder() = default;

void FileAdder::Append(const std::vector<std::string>& paths) {
    paths_.insert(paths_.end(), paths.begin(), paths.end());
}

bool FileAdder::HasNext() const {
    return next_ < paths_.size();
}

std::optional<JobRow> FileAdder::Next(size_t listedRows, AddFilesObserver& observer) {
    const size_t index = next_++;
    const std::string& path = paths_[index];
    if (const auto reason = ReasonToSkip(path, serial_, listedRows)) {
        observer.FileSkipped(path, *reason);
        return std::nullopt;
    }
    const ProbeOutcome outcome = probes_->Take(index);
    if (outcome.unreadable) {
        observer.FileSkipped(path, SkipReason::unreadable);
        return std::nullopt;
    }
    return MakeJobRow(path, outcome.record, outcome.code);
}

size_t AddFiles(const std::vector<std::string>& paths, int serial, JobList& rows,
                AddFilesObserver* observer, ProbeThreads threads) {
    AddFilesObserver silent;
    AddFilesObserver& watcher = observer ? *observer : silent;
    FileAdder adder(serial, threads);
    adder.Append(paths);
    size_t added = 0;
    while (adder.HasNext() && watcher.ContinueAdding()) {
        if (std::optional<JobRow> row = adder.Next(rows.size(), watcher)) {
            rows.push_back(std::move(*row));
            ++added;
            watcher.RowAdded(rows.back(), rows.size() - 1);
        }
    }
    return added;
}

}  // namespace tessaro
