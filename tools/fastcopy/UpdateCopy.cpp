#include "UpdateCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "FileContents.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"
#include "platform/TerminationCleanup.h"

namespace tessaro::tools {
namespace {

using platform::ExtractFileName;
using platform::JoinPath;

CopyReport Failure(CopyReport report, const std::string& what, const std::string& reason) {
    report.outcome = CopyOutcome::Failed;
    report.error = what + ": " + reason;
    return report;
}

CopyReport Failure(CopyReport report, const std::string& what, int error) {
    return Failure(std::move(report), what, std::strerror(error));
}

bool NotOlder(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec >= b.tv_nsec);
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int EnsureFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return error.value();
    return std::filesystem::is_directory(folder, error) ? 0 : ENOTDIR;
}

// Empty when the temporary holds a complete copy on disk, else why it does not:
// only then may it take the target's name.
std::string FillTemporary(int from, int to, const struct stat& source, uint64_t& copied) {
    if (!CopyFileContents(from, to, copied)) return std::strerror(errno);
    if (copied != static_cast<uint64_t>(source.st_size)) {
        return "the source changed size while it was copied";
    }
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    const bool finished =
        ::fchmod(to, source.st_mode & 0777) == 0 && ::futimens(to, times) == 0 && ::fsync(to) == 0;
    return finished ? std::string() : std::strerror(errno);
}

CopyReport CopyThroughTemporary(int from, const struct stat& source, CopyReport report) {
    std::string temporary;
    const int to = platform::CreateFileBeside(report.destination, 0600, temporary);
    if (to < 0) {
        return Failure(report, "cannot create a file beside '" + report.destination + "'", errno);
    }
    std::string reason = FillTemporary(from, to, source, report.bytes);
    if (::close(to) != 0 && reason.empty()) reason = std::strerror(errno);
    if (reason.empty() && std::rename(temporary.c_str(), report.destination.c_str()) != 0) {
        reason = std::strerror(errno);
    }
    if (!reason.empty()) ::unlink(temporary.c_str());
    platform::RemoveOnTermination(nullptr);
    if (!reason.empty())
        return Failure(report, "cannot write '" + report.destination + "'", reason);
    report.outcome = CopyOutcome::Copied;
    return report;
}

// Closes the source on every way out.
class SourceFile final {
public:
    explicit SourceFile(const std::string& path)
        : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~SourceFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    int fd() const { return fd_; }

private:
    int fd_ = -1;
};

// 0 for a regular file, else the reason it cannot be copied.
int RegularFileProblem(int fd, struct stat& info) {
    if (::fstat(fd, &info) != 0) return errno;
    if (S_ISDIR(info.st_mode)) return EISDIR;
    return S_ISREG(info.st_mode) ? 0 : EINVAL;
}

std::optional<CopyOutcome> ExistingTargetVerdict(const struct stat& source,
                                                 const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) return std::nullopt;
    if (SameFile(source, existing)) return CopyOutcome::SameFile;
    if (S_ISREG(existing.st_mode) && existing.st_size == source.st_size &&
        NotOlder(existing.st_mtim, source.st_mtim)) {
        return CopyOutcome::UpToDate;
    }
    return std::nullopt;
}

}  // namespace

CopyReport UpdateCopy(const std::string& source, const std::string& destinationFolder) {
    CopyReport report;
    report.destination = JoinPath(destinationFolder, ExtractFileName(source));
    const SourceFile from(source);
    if (from.fd() < 0) return Failure(report, "cannot read '" + source + "'", errno);
    struct stat sourceInfo {};
    if (const int problem = RegularFileProblem(from.fd(), sourceInfo); problem != 0) {
        return Failure(report, "cannot copy '" + source + "'", problem);
    }
    if (const int problem = EnsureFolder(destinationFolder); problem != 0) {
        return Failure(report, "cannot create the folder '" + destinationFolder + "'", problem);
    }
    if (const auto verdict = ExistingTargetVerdict(sourceInfo, report.destination)) {
        report.outcome = *verdict;
        return report;
    }
    return CopyThroughTemporary(from.fd(), sourceInfo, report);
}

}  // namespace tessaro::tools
