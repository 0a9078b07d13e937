#include "encode/AddFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <exception>
#include <future>
#include <map>
#include <optional>
#include <thread>

#include "encode/FileKind.h"
#include "encode/Probe.h"
#include "platform/Paths.h"

namespace tessaro {

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::optional<SkipReason> ReasonToSkip(const std::string& path, const std::string& extension,
                                       int serial, const JobList& rows) {
    if (!IsAcceptedFile(extension, serial)) return SkipReason::notAccepted;
    if (!IsRegularFile(path)) return SkipReason::missing;
    if (rows.size() >= kMaxJobRows) return SkipReason::listFull;
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

// Probes the next files on the spare cores while the caller still appends rows
// one by one, in order, on its own thread. A file probed ahead that is not
// listed after all (the list filled up, the caller stopped) is only wasted work.
class ProbeAhead {
public:
    ProbeAhead(const std::vector<std::string>& paths, int serial)
        : paths_(paths),
          serial_(serial),
          spareCores_(std::max(1u, std::thread::hardware_concurrency()) - 1) {}

    ProbeOutcome Take(size_t index) {
        started_.erase(started_.begin(), started_.lower_bound(index));  // skipped after all
        LaunchAfter(index);
        const auto ahead = started_.find(index);
        if (ahead == started_.end()) return ProbeOne(paths_[index], serial_);
        ProbeOutcome outcome = ahead->second.get();
        started_.erase(ahead);
        return outcome;
    }

private:
    bool WorthProbing(size_t index) const {
        const std::string& path = paths_[index];
        return IsAcceptedFile(platform::ExtractFileExt(path), serial_) && IsRegularFile(path);
    }

    void LaunchAfter(size_t index) {
        for (next_ = std::max(next_, index + 1);
             next_ < paths_.size() && started_.size() < spareCores_; ++next_) {
            if (!WorthProbing(next_)) continue;
            started_.emplace(next_, std::async(std::launch::async, ProbeOne, paths_[next_], serial_));
        }
    }

    const std::vector<std::string>& paths_;
    const int serial_;
    const size_t spareCores_;
    size_t next_ = 0;
    std::map<size_t, std::future<ProbeOutcome>> started_;
};

}  // namespace

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

size_t AddFiles(const std::vector<std::string>& paths, int serial, JobList& rows,
                AddFilesObserver* observer) {
    AddFilesObserver silent;
    AddFilesObserver& watcher = observer ? *observer : silent;
    ProbeAhead probes(paths, serial);
    size_t added = 0;
    for (size_t index = 0; index < paths.size(); ++index) {
        if (!watcher.ContinueAdding()) break;
        const std::string& path = paths[index];
        if (const auto reason = ReasonToSkip(path, platform::ExtractFileExt(path), serial, rows)) {
            watcher.FileSkipped(path, *reason);
            continue;
        }
        const ProbeOutcome outcome = probes.Take(index);
        if (outcome.unreadable) {
            watcher.FileSkipped(path, SkipReason::unreadable);
            continue;
        }
        rows.push_back(MakeJobRow(path, outcome.record, outcome.code));
        ++added;
        watcher.RowAdded(rows.back(), rows.size() - 1);
    }
    return added;
}

}  // namespace tessaro
