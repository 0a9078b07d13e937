#include "cli/CliProbe.h"

#include <filesystem>

#include "cli/JobRowText.h"
#include "encode/AddFiles.h"

namespace tessaro::cli {
namespace {

std::string FullPath(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return error ? path : full.string();
}

class ReportingObserver final : public AddFilesObserver {
public:
    ReportingObserver(std::ostream& errors, std::ostream* rowsOut, int serial,
                      const ReasonTexts* explain)
        : errors_(errors), rowsOut_(rowsOut), serial_(serial), explain_(explain) {}

    void RowAdded(const JobRow& row, size_t /*index*/) override {
        if (!rowsOut_) return;
        if (const auto line = FormatJobRow(row)) {
            *rowsOut_ << *line << Explanation(row) << '\n' << std::flush;
            ++printed_;
        } else {
            errors_ << "tessaro-cli: not listed: " << row.caption
                    << ": a name or value holds a tab or line break, which the row format cannot "
                       "carry\n";
        }
    }

    void FileSkipped(const std::string& path, SkipReason reason) override {
        errors_ << "tessaro-cli: skipped " << path << ": " << SkipReasonText(reason) << '\n';
    }

    size_t Printed() const { return printed_; }

private:
    // A phrase of the language file could hold a tab; it would shift the field.
    std::string Explanation(const JobRow& row) const {
        if (!explain_) return {};
        std::string reason = ExplainJob(row, serial_, *explain_);
        for (char& c : reason)
            if (c == '\t' || c == '\n' || c == '\r') c = ' ';
        return '\t' + reason;
    }

    std::ostream& errors_;
    std::ostream* rowsOut_ = nullptr;
    const int serial_;
    const ReasonTexts* explain_ = nullptr;
    size_t printed_ = 0;
};

}  // namespace

ProbeResult ProbeFiles(const std::vector<std::string>& paths, int serial, std::ostream& errors,
                       std::ostream* rowsOut, const ReasonTexts* explain) {
    std::vector<std::string> fullPaths;
    fullPaths.reserve(paths.size());
    for (const std::string& path : paths) fullPaths.push_back(FullPath(path));
    ReportingObserver observer(errors, rowsOut, serial, explain);
    ProbeResult result;
    AddFiles(fullPaths, serial, result.rows, &observer, ProbeThreads::caller);
    result.printed = observer.Printed();
    return result;
}

}  // namespace tessaro::cli
