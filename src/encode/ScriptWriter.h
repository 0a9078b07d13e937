#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "encode/JobRow.h"
#include "encode/ScriptDialect.h"

namespace tessaro {

// The window's options that shape a conversion script.
struct ScriptOptions {
    int serial = 0;        // device serial index
    int bitrateIndex = 0;  // index into kBitrateEntries, 0 = "Default"
    std::string outputFolder;
    bool copyToDrive = false;
    std::string drive;             // "E:" for cmd, a mounted volume's folder for sh
    bool unsupportedOnly = false;  // "Encoding unsupport file only"
    std::string exeFolder;         // where the tools are expected
    std::string tempFolder;        // receives the script and the tools' log: the run's own folder
    std::string runTag;            // names the run's work files apart from other runs'
    std::string subtitleCodePage;  // for charshift; empty: the one of the user's locale
    ScriptDialect dialect = ScriptDialect::sh;
    // Each job also as a script of its own with a log of its own, so that
    // jobs can run side by side.
    bool jobsApart = false;
};

// Which jobs the script performs. column 0: every row; below 0: only
// selectedRow (counted from 0); from 1 up: rows whose sub-item column-1 equals
// value ("(NULL)" matching an empty sub-item), the others being skipped.
struct JobSelection {
    int column = 0;
    std::string value = "0";
    int selectedRow = -1;
};

// One job of a script, as its run's progress counts it.
struct ScriptJob {
    std::string source;
    bool encodes = false;  // mencoder converts it
    // The files it writes, work files aside; its own script with jobsApart.
    std::vector<std::string> writes;
    std::string script;
};

struct Script {
    std::string text;
    int jobCount = 0;
    std::vector<ScriptJob> jobs;
    // Files the run writes before they take their final names: whatever of
    // them a stopped run leaves is removed.
    std::vector<std::string> workFiles;
};

// Starts the line the script prints when a job's output takes another name
// than the usual one because that one is taken.
inline constexpr std::string_view kOutputAnnouncement = "Output: ";

// Builds the whole script text. Throws ScriptError for input the script cannot
// carry (no selected row, an empty output folder, a value the dialect cannot quote).
Script BuildScript(const ScriptOptions& options, const JobList& rows,
                   const JobSelection& selection);

// "~tmp86CB.bat" or "~tmp86CB.sh" in the options' temp folder, as a local path.
std::string ScriptPathFor(const ScriptOptions& options);

// Replaces `scriptPath` atomically with the script, never through a link, with
// the dialect's file mode. Throws ScriptError when it cannot be saved.
void SaveScript(const Script& script, ScriptDialect dialect, const std::string& scriptPath);

// Builds the script and replaces `scriptPath` with it atomically, never through
// a link. Returns the number of jobs written; throws ScriptError when it cannot
// be built or saved, leaving any earlier script as it was.
int WriteScript(const ScriptOptions& options, const JobList& rows, const JobSelection& selection,
                const std::string& scriptPath);

}  // namespace tessaro
