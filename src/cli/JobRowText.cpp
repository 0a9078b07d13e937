#include "cli/JobRowText.h"

#include "cli/CliOptions.h"

namespace tessaro::cli {
namespace {

bool FitsOneField(const std::string& field) {
    return field.find_first_of("\t\r\n") == std::string::npos;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

JobRow ParseJobRow(const std::string& line, const std::string& where) {
    if (line.find('\r') != std::string::npos)
        throw UsageError(where + ": a carriage return is not part of the format");
    std::vector<std::string> fields = SplitTabs(line);
    if (fields.size() != static_cast<size_t>(kJobRowFieldCount))
        throw UsageError(where + ": expected " + std::to_string(kJobRowFieldCount) +
                         " tab-separated fields (caption and sub-items 0 to 7), found " +
                         std::to_string(fields.size()));
    if (fields.front().empty()) throw UsageError(where + ": the caption (file path) is empty");
    JobRow row;
    row.caption = std::move(fields.front());
    for (int item = 0; item < kSubItemCount; ++item)
        row.subItems[static_cast<size_t>(item)] = std::move(fields[static_cast<size_t>(item) + 1]);
    return row;
}

}  // namespace

std::optional<std::string> FormatJobRow(const JobRow& row) {
    if (!FitsOneField(row.caption)) return std::nullopt;
    std::string line = row.caption;
    for (const std::string& item : row.subItems) {
        if (!FitsOneField(item)) return std::nullopt;
        line += '\t';
        line += item;
    }
    return line;
}

JobList ReadJobRows(std::istream& in, const std::string& sourceName) {
    JobList rows;
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);)
        rows.push_back(ParseJobRow(line, sourceName + " line " + std::to_string(++lineNumber)));
    return rows;
}

}  // namespace tessaro::cli
