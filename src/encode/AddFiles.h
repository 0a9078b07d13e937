#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "encode/JobRow.h"

namespace tessaro {

// The job list never holds more rows than this; surplus files are skipped.
inline constexpr size_t kMaxJobRows = 128;

enum class SkipReason {
    notAccepted,  // the extension is not one the current serial takes
    missing,      // no regular file at the path
    listFull,     // kMaxJobRows rows are listed already
    unreadable,   // a subtitle file that could not be read
};

// Short English text for a skip, as the command line prints it.
const char* SkipReasonText(SkipReason reason);

// Lets a caller follow the adding: show rows as they are probed, report skips,
// stop early. Every call comes from the thread running AddFiles.
struct AddFilesObserver {
    virtual ~AddFilesObserver() = default;
    virtual void RowAdded(const JobRow& /*row*/, size_t /*index*/) {}
    virtual void FileSkipped(const std::string& /*path*/, SkipReason /*reason*/) {}
    // Asked before each path; false ends the adding there.
    virtual bool ContinueAdding() { return true; }
};

// Where files are probed: one per core ahead of the caller, which keeps a
// window responsive and a long list quick; or one at a time on the caller's
// thread, which costs the least CPU time, as a process that starts no thread
// allocates without locking.
enum class ProbeThreads { perCore, caller };

class ProbeAhead;

// Takes paths one at a time, in order, under the rules of AddFiles, while the
// files after them are probed on every core; for a caller that lists rows
// between other work, as the window does between turns of its event loop.
class FileAdder final {
public:
    explicit FileAdder(int serial, ProbeThreads threads = ProbeThreads::perCore);
    ~FileAdder();
    FileAdder(const FileAdder&) = delete;
    FileAdder& operator=(const FileAdder&) = delete;

    // More paths to take after those given so far.
    void Append(const std::vector<std::string>& paths);
    bool HasNext() const;
    // Tests, and when it passes probes, the next path against a list that
    // holds `listedRows` rows now. The row to append, or nothing when the path
    // is skipped (the observer hears why).
    std::optional<JobRow> Next(size_t listedRows, AddFilesObserver& observer);

private:
    const int serial_;
    std::vector<std::string> paths_;
    size_t next_ = 0;
    std::unique_ptr<ProbeAhead> probes_;
};

// The single entry for new files (file dialog, drops, command line): each path
// in order is tested, classified, probed and appended to `rows` as a job row.
// The same file may be listed twice. Returns the number of rows appended.
size_t AddFiles(const std::vector<std::string>& paths, int serial, JobList& rows,
                AddFilesObserver* observer = nullptr, ProbeThreads threads = ProbeThreads::perCore);

}  // namespace tessaro
