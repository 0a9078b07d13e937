#include "encode/RunReport.h"

#include <fstream>
#include <map>
#include <sstream>

#include "platform/Paths.h"
#include "platform/WholeFile.h"

namespace tessaro {
namespace {

constexpr const char* kJobRecord = "jobs.txt";

struct JobRecord {
    std::string outcome;
    std::string name;
};

// "<job> <outcome> [<name>]" per line; the name runs to the end of the line.
std::map<int, JobRecord> ReadJobRecords(const std::string& path) {
    std::map<int, JobRecord> records;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        int number = 0;
        JobRecord record;
        if (!(fields >> number >> record.outcome)) continue;
        std::getline(fields >> std::ws, record.name);
        records[number] = record;
    }
    return records;
}

std::vector<std::string> NonEmptyLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c != '\n' && c != '\r') {
            line += c;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line.clear();
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace

RunReport ReadRunReport(const std::string& runFolder, const std::vector<std::string>& jobNames,
                        bool scriptEnded) {
    RunReport report;
    report.jobCount = static_cast<int>(jobNames.size());
    const std::map<int, JobRecord> records =
        ReadJobRecords(platform::JoinPath(runFolder, kJobRecord));
    for (int number = 1; number <= report.jobCount; ++number) {
        const auto found = records.find(number);
        if (found == records.end()) {
            report.failed.push_back({number, jobNames[number - 1], {}});
            report.recordLost = report.recordLost || scriptEnded;
            continue;
        }
        const JobRecord& record = found->second;
        if (record.outcome == "done") {
            ++report.done;
        } else if (record.outcome == "skipped") {
            ++report.skipped;
        } else {
            const std::string log =
                platform::JoinPath(runFolder, "failed-" + std::to_string(number) + ".txt");
            report.failed.push_back({number, record.name, log});
        }
    }
    return report;
}

std::string LastLines(const std::string& path, int count) {
    std::string content;
    if (count <= 0 || !platform::ReadWholeFile(path, content)) return {};
    const std::vector<std::string> lines = NonEmptyLines(content);
    const size_t first = lines.size() > static_cast<size_t>(count) ? lines.size() - count : 0;
    std::string result;
    for (size_t i = first; i < lines.size(); ++i) result += lines[i] + "\n";
    return result;
}

}  // namespace tessaro
