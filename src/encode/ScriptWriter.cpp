#include "encode/ScriptWriter.h"

#include "encode/DecisionCode.h"
#include "encode/DeviceProfile.h"
#include "encode/MencoderArguments.h"
#include "encode/OutputNames.h"
#include "encode/RunMarkers.h"
#include "encode/ScriptError.h"
#include "encode/ScriptPaths.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

constexpr std::string_view kLogFileName = "2.txt";
constexpr const char* kTagCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kNullValue = "(NULL)";
constexpr std::string_view kFastcopyOptions =
    "/cmd=update /auto_close /force_close /force_start /log=FALSE";

// A job's own log, when jobs run apart and side by side.
std::string JobLogFileName(int number) {
    return "2-" + std::to_string(number) + ".txt";
}

void CheckOptions(const ScriptOptions& options, const ScriptSyntax& syntax) {
    if (options.outputFolder.empty()) throw ScriptError("No output folder is set.");
    if (options.tempFolder.empty()) throw ScriptError("No temp folder is set.");
    if (options.copyToDrive && options.drive.empty())
        throw ScriptError("\"Copy to after encoding\" is on but no drive is selected.");
    syntax.CheckValue("The output folder", options.outputFolder);
    syntax.CheckValue("The temp folder", options.tempFolder);
    syntax.CheckValue("The program folder", options.exeFolder);
    if (options.copyToDrive) syntax.CheckValue("The drive", options.drive);
    syntax.CheckValue("The subtitle code page", options.subtitleCodePage);
    if (options.runTag.find_first_not_of(kTagCharacters) != std::string::npos)
        throw ScriptError("The run tag may hold letters and digits only.");
}

void CheckSelection(const JobSelection& selection, const JobList& rows) {
    if (selection.column > kSubItemCount)
        throw ScriptError("Column " + std::to_string(selection.column) +
                          " does not exist; columns run from 0 to " +
                          std::to_string(kSubItemCount) + ".");
    const bool selectedExists =
        selection.selectedRow >= 0 && static_cast<size_t>(selection.selectedRow) < rows.size();
    if (selection.column < 0 && !selectedExists) throw ScriptError("No row is selected.");
}

bool MatchesFilter(const JobRow& row, const JobSelection& selection) {
    if (selection.column <= 0) return true;
    const std::string& item = row.subItems[static_cast<size_t>(selection.column - 1)];
    return item == selection.value || (item.empty() && selection.value == kNullValue);
}

// Builds the script one job at a time from the dialect's pieces.
class ScriptBuilder final {
public:
    ScriptBuilder(const ScriptOptions& options, const JobList& rows)
        : options_(options),
          syntax_(SyntaxFor(options.dialect)),
          names_(syntax_, rows),
          mencoder_(syntax_.ToolPath(options.exeFolder, ScriptTool::mencoder)),
          charshift_(syntax_.ToolPath(options.exeFolder, ScriptTool::charshift)),
          fastcopy_(syntax_.ToolPath(options.exeFolder, ScriptTool::fastcopy)),
          avifinish_(syntax_.ToolPath(options.exeFolder, ScriptTool::avifinish)),
          outputFolder_(FolderWithSeparator(options.outputFolder, syntax_.Separator())) {
        AddLine(syntax_.FirstLine());
        AddLines(syntax_.Preamble(options.tempFolder));
        head_ = text_;
    }

    void AddJob(int number, int count, const JobRow& row, int8_t code) {
        syntax_.CheckValue("The file name", row.caption);
        const size_t start = text_.size();
        SetLog(options_.jobsApart ? JobLogFileName(number) : std::string(kLogFileName));
        AddEcho(std::string(kJobMarker) + JobText({number}, count));
        AddEcho(StatusLine(kEncodingStatus));
        steps_.clear();
        workFile_.clear();
        jobs_.push_back({row.caption, decision::RunsMencoder(code), {}, {}});
        const std::string output = AddConversion(row, code, number);
        if (options_.copyToDrive && !output.empty()) AddCopyToDrive(output);
        AddLines(syntax_.JobBlock(number, FileNameOf(row.caption, syntax_.FolderSeparators()),
                                  steps_, workFile_, logPath_));
        if (options_.jobsApart) jobs_.back().script = head_ + text_.substr(start);
    }

    Script Finish(int count) {
        AddLines(syntax_.Closing(count));
        return {std::move(text_), count, std::move(jobs_), std::move(workFiles_)};
    }

private:
    void SetLog(const std::string& fileName) {
        logPath_ = JoinFolder(options_.tempFolder, fileName, syntax_.Separator());
        log_ = syntax_.RedirectTarget(logPath_);
    }

    void Writes(const std::string& path) { jobs_.back().writes.push_back(path); }

    void AddLine(std::string_view line) {
        text_ += line;
        text_ += syntax_.LineEnd();
    }

    void AddLines(std::string_view lines) {
        if (!lines.empty()) AddLine(lines);
    }

    void AddEcho(std::string_view text) { AddLine(syntax_.Echo(text)); }
    void AddStep(std::string step) { steps_.push_back(std::move(step)); }
    void AddEchoStep(std::string_view text) { AddStep(syntax_.Echo(text)); }

    std::string Quoted(std::string_view path) const {
        return syntax_.Quote(OperandPath(path, syntax_.Separator()));
    }

    // Returns the file the job leaves behind for the copy to the drive, or "" when none.
    std::string AddConversion(const JobRow& row, int8_t code, int number) {
        const std::string& source = row.caption;
        if (decision::RunsMencoder(code)) return AddMencoder(row, code, number);
        if (decision::ConvertsSubtitle(code)) return AddCharshift(source, code);
        if (decision::UsableAsIs(code)) return AddUsableAsIs(source);
        AddEcho(std::string(kSkipNote) + "\"" + source + "\"");
        return {};
    }

    std::string OutputBase(const std::string& source) const {
        return outputFolder_ + SplitFileName(source, syntax_.FolderSeparators()).stem;
    }

    std::string Extension(const std::string& source) const {
        return SplitFileName(source, syntax_.FolderSeparators()).extension;
    }

    // The job's output, under a name of its own; a name other than the usual
    // one is announced, as the user looks for the usual one.
    std::string ClaimOutput(const std::string& source, const std::string& suffix, bool inPlace) {
        const std::string usual = OutputBase(source) + suffix;
        const std::string output =
            names_.ClaimConversion(source, OutputBase(source), suffix, inPlace);
        Writes(output);
        if (output != usual)
            AddEcho(std::string(kOutputAnnouncement) + "'" + source + "' -> '" + output + "' ('" +
                    usual + "' is another job's output or a listed source)");
        return output;
    }

    std::string AddMencoder(const JobRow& row, int8_t code, int number) {
        const std::string& source = row.caption;
        const std::string suffix = code == 1 ? "_mp3" + Extension(source) : "_XviD.avi";
        const std::string output = ClaimOutput(source, suffix, false);
        const std::string work = syntax_.WorkFile(output, options_.runTag, number);
        const ScaleTarget scale = ScaleTargetFor(options_.serial, decision::KeepsWidth(code));
        const int bitrate = ChooseBitrate(options_.bitrateIndex, row.subItems[siBitrate]);
        AddStep(syntax_.Quote(mencoder_) + " " + Quoted(source) + "  " +
                MencoderArguments(code, scale, bitrate) + " -o " + Quoted(work) + " 2> " + log_);
        if (work != output) {
            workFile_ = work;
            workFiles_.push_back(work);
            AddStep(syntax_.FinishStep(avifinish_, OperandPath(work, syntax_.Separator()),
                                       OperandPath(output, syntax_.Separator()), logPath_));
        }
        return output;
    }

    std::string AddCharshift(const std::string& source, int8_t code) {
        const std::string output = ClaimOutput(source, Extension(source), true);
        std::string arguments = Quoted(source) + " " + Quoted(output) + " " +
                                std::to_string(decision::CharshiftFlag(code));
        if (!options_.subtitleCodePage.empty())
            arguments += " " + syntax_.Quote(options_.subtitleCodePage);
        AddEchoStep("Converting '" + source + "' To '" + output + "'");
        AddStep(syntax_.Quote(charshift_) + " " + arguments + " " +
                syntax_.ToolMessagesTo(logPath_));
        return output;
    }

    std::string AddUsableAsIs(const std::string& source) {
        if (options_.unsupportedOnly) {
            AddEcho(std::string(kSkipNote) + "Copy \"" + source + "\" To \"" + outputFolder_ +
                    "\" ");
            return source;
        }
        const std::string copy = outputFolder_ + FileNameOf(source, syntax_.FolderSeparators());
        if (!names_.ClaimCopy(source, copy)) {
            Refuse(source, copy);
            return {};
        }
        Writes(copy);
        AddFastcopy(source, outputFolder_, outputFolder_);
        return source;
    }

    void AddCopyToDrive(const std::string& output) {
        const std::string copy = JoinFolder(
            options_.drive, FileNameOf(output, syntax_.FolderSeparators()), syntax_.Separator());
        if (!names_.ClaimCopy(output, copy)) return Refuse(output, copy);
        Writes(copy);
        AddFastcopy(output, options_.drive,
                    FolderWithSeparator(options_.drive, syntax_.Separator()));
    }

    void AddFastcopy(const std::string& source, const std::string& shownTarget,
                     const std::string& targetFolder) {
        AddEchoStep(StatusLine(std::string(kCopytoStatus) + shownTarget));
        AddStep(syntax_.Quote(fastcopy_) + " " + std::string(kFastcopyOptions) + " " +
                Quoted(source) + " /to=" + syntax_.Quote(targetFolder) + " " +
                syntax_.ToolMessagesTo(logPath_));
    }

    // A copy keeps its file's name, so a name another job writes, or another
    // listed source, cannot be dodged: the job fails rather than destroy it.
    void Refuse(const std::string& origin, const std::string& written) {
        AddStep(syntax_.RefusalStep(std::string(kSkipNote) + "\"" + origin + "\": \"" + written +
                                        "\" is a source file or another job's output",
                                    logPath_));
    }

    const ScriptOptions& options_;
    const ScriptSyntax& syntax_;
    OutputNames names_;
    const std::string mencoder_;
    const std::string charshift_;
    const std::string fastcopy_;
    const std::string avifinish_;
    std::string logPath_;
    std::string log_;
    const std::string outputFolder_;
    std::string text_;
    std::string head_;
    std::vector<std::string> steps_;
    std::string workFile_;
    std::vector<ScriptJob> jobs_;
    std::vector<std::string> workFiles_;
};

}  // namespace

Script BuildScript(const ScriptOptions& options, const JobList& rows,
                   const JobSelection& selection) {
    const ScriptSyntax& syntax = SyntaxFor(options.dialect);
    CheckOptions(options, syntax);
    CheckSelection(selection, rows);
    const bool selectedOnly = selection.column < 0;
    const int count = selectedOnly ? 1 : static_cast<int>(rows.size());
    ScriptBuilder builder(options, rows);
    for (int number = 1; number <= count; ++number) {
        const JobRow& row =
            rows[static_cast<size_t>(selectedOnly ? selection.selectedRow : number - 1)];
        const int8_t code = MatchesFilter(row, selection) ? DecisionCodeOf(row) : int8_t{-1};
        builder.AddJob(number, count, row, code);
    }
    return builder.Finish(count);
}

std::string ScriptPathFor(const ScriptOptions& options) {
    // Where this program saves it, so the local system's separator.
    return platform::JoinPath(options.tempFolder, SyntaxFor(options.dialect).ScriptFileName());
}

void SaveScript(const Script& script, ScriptDialect dialect, const std::string& scriptPath) {
    std::string error;
    if (!platform::WriteFileAtomically(scriptPath, script.text, SyntaxFor(dialect).FileMode(),
                                       &error))
        throw ScriptError("The script could not be saved: " + error);
}

int WriteScript(const ScriptOptions& options, const JobList& rows, const JobSelection& selection,
                const std::string& scriptPath) {
    const Script script = BuildScript(options, rows, selection);
    SaveScript(script, options.dialect, scriptPath);
    return script.jobCount;
}

}  // namespace tessaro
