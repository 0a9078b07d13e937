#include "encode/AddFiles.h"

#include <sys/stat.h>

#include <exception>
#include <optional>

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
    video_struct record;
    size_t added = 0;
    for (const std::string& path : paths) {
        if (!watcher.ContinueAdding()) break;
        const std::string extension = platform::ExtractFileExt(path);
        if (const auto reason = ReasonToSkip(path, extension, serial, rows)) {
            watcher.FileSkipped(path, *reason);
            continue;
        }
        int8_t code = -1;
        try {
            code = ProbeFile(ClassifyFile(extension, serial), record, path, serial);
        } catch (const std::exception&) {
            // Only a subtitle file read whole can fail here; it never becomes a job.
            watcher.FileSkipped(path, SkipReason::unreadable);
            continue;
        }
        rows.push_back(MakeJobRow(path, record, code));
        ++added;
        watcher.RowAdded(rows.back(), rows.size() - 1);
    }
    return added;
}

}  // namespace tessaro
