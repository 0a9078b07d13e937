#include "encode/ScriptWriter.h"

#include "encode/DecisionCode.h"
#include "encode/DeviceProfile.h"
#include "encode/MencoderArguments.h"
#include "encode/ScriptError.h"
#include "encode/ScriptPaths.h"
#include "encode/SourceGuard.h"
#include "platform/AtomicFile.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

constexpr std::string_view kLogFileName = "2.txt";
constexpr std::string_view kNullValue = "(NULL)";
constexpr std::string_view kFastcopyOptions =
    "/cmd=update /auto_close /force_close /force_start /log=FALSE";

void CheckOptions(const ScriptOptions& options, const ScriptSyntax& syntax) {
    if (options.outputFolder.empty()) throw ScriptError("No output folder is set.");
    if (options.tempFolder.empty()) throw ScriptError("No temp folder is set.");
    if (options.copyToDrive && options.drive.empty())
        throw ScriptError("\"Copy to after encoding\" is on but no drive is selected.");
    syntax.CheckValue("The output folder", options.outputFolder);
    syntax.CheckValue("The temp folder", options.tempFolder);
    syntax.CheckValue("The program folder", options.exeFolder);
    if (options.copyToDrive) syntax.CheckValue("The drive", options.drive);
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

// Builds the script one line at a time from the dialect's pieces.
class ScriptBuilder final {
public:
    ScriptBuilder(const ScriptOptions& options, const JobList& rows)
        : options_(options),
          syntax_(SyntaxFor(options.dialect)),
          guard_(syntax_, rows),
          mencoder_(syntax_.ToolPath(options.exeFolder, ScriptTool::mencoder)),
          charshift_(syntax_.ToolPath(options.exeFolder, ScriptTool::charshift)),
          fastcopy_(syntax_.ToolPath(options.exeFolder, ScriptTool::fastcopy)),
          log_(syntax_.RedirectTarget(
              JoinFolder(options.tempFolder, kLogFileName, syntax_.Separator()))),
          outputFolder_(FolderWithSeparator(options.outputFolder, syntax_.Separator())) {
        AddLine(syntax_.FirstLine());
    }

    void AddJob(int number, int count, const JobRow& row, int8_t code) {
        syntax_.CheckValue("The file name", row.caption);
        AddEcho("#JOB#Job:" + std::to_string(number) + "/" + std::to_string(count));
        AddEcho("#STATUS#Encoding");
        const std::string output = AddConversion(row, code);
        if (options_.copyToDrive && !output.empty()) AddCopyToDrive(output, code);
    }

    std::string Finish() {
        AddEcho("#STATUS#Completed");
        AddLine("");
        return std::move(text_);
    }

private:
    void AddLine(std::string_view line) {
        text_ += line;
        text_ += syntax_.LineEnd();
    }

    void AddEcho(std::string_view text) { AddLine(syntax_.Echo(text)); }

    std::string Quoted(std::string_view path) const {
        return syntax_.Quote(OperandPath(path, syntax_.Separator()));
    }

    // Returns the file the job leaves behind for the copy to the drive, or "" when none.
    std::string AddConversion(const JobRow& row, int8_t code) {
        const std::string& source = row.caption;
        if (decision::RunsMencoder(code)) return AddMencoder(row, code);
        if (decision::ConvertsSubtitle(code)) return AddCharshift(source, code);
        if (decision::UsableAsIs(code)) return AddUsableAsIs(source, code);
        AddEcho("Skip \"" + source + "\"");
        return {};
    }

    std::string OutputBase(const std::string& source) const {
        return outputFolder_ + SplitFileName(source, syntax_.FolderSeparators()).stem;
    }

    std::string Extension(const std::string& source) const {
        return SplitFileName(source, syntax_.FolderSeparators()).extension;
    }

    std::string AddMencoder(const JobRow& row, int8_t code) {
        const std::string& source = row.caption;
        const std::string output =
            OutputBase(source) + (code == 1 ? "_mp3" + Extension(source) : "_XviD.avi");
        if (SkipWhenReplacingSource(source, output, code)) return {};
        const ScaleTarget scale = ScaleTargetFor(options_.serial, decision::KeepsWidth(code));
        const int bitrate = ChooseBitrate(options_.bitrateIndex, row.subItems[siBitrate]);
        AddLine(syntax_.Quote(mencoder_) + " " + Quoted(source) + "  " +
                MencoderArguments(code, scale, bitrate) + " -o " + Quoted(output) + " 2> " + log_);
        return output;
    }

    std::string AddCharshift(const std::string& source, int8_t code) {
        const std::string output = OutputBase(source) + Extension(source);
        if (SkipWhenReplacingSource(source, output, code)) return {};
        AddEcho("Converting '" + source + "' To '" + output + "'");
        AddLine(syntax_.Quote(charshift_) + " " + Quoted(source) + " " + Quoted(output) + " " +
                std::to_string(decision::CharshiftFlag(code)) + " > " + log_);
        return output;
    }

    std::string AddUsableAsIs(const std::string& source, int8_t code) {
        if (options_.unsupportedOnly) {
            AddEcho("Skip Copy \"" + source + "\" To \"" + outputFolder_ + "\" ");
            return source;
        }
        const std::string copy = outputFolder_ + FileNameOf(source, syntax_.FolderSeparators());
        if (SkipWhenReplacingSource(source, copy, code)) return {};
        AddFastcopy(source, outputFolder_, outputFolder_);
        return source;
    }

    void AddCopyToDrive(const std::string& output, int8_t code) {
        const std::string copy = JoinFolder(
            options_.drive, FileNameOf(output, syntax_.FolderSeparators()), syntax_.Separator());
        if (SkipWhenReplacingSource(output, copy, code)) return;
        AddFastcopy(output, options_.drive,
                    FolderWithSeparator(options_.drive, syntax_.Separator()));
    }

    void AddFastcopy(const std::string& source, const std::string& shownTarget,
                     const std::string& targetFolder) {
        AddEcho("#STATUS#Copyto " + shownTarget);
        AddLine(syntax_.Quote(fastcopy_) + " " + std::string(kFastcopyOptions) + " " +
                Quoted(source) + " /to=" + syntax_.Quote(targetFolder) + " > " + log_);
    }

    // A tool never writes over a listed source file. Only a conversion onto
    // its own source is left to the tool: Charshift converts in place and a
    // copy onto itself changes nothing; mencoder would destroy its input.
    bool SkipWhenReplacingSource(const std::string& origin, const std::string& written,
                                 int8_t code) {
        if (!guard_.IsSource(written)) return false;
        if (guard_.SameFile(origin, written) && !decision::RunsMencoder(code)) return false;
        AddEcho("Skip \"" + origin + "\": \"" + written + "\" is a source file of the list");
        return true;
    }

    const ScriptOptions& options_;
    const ScriptSyntax& syntax_;
    const SourceGuard guard_;
    const std::string mencoder_;
    const std::string charshift_;
    const std::string fastcopy_;
    const std::string log_;
    const std::string outputFolder_;
    std::string text_;
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
    return {builder.Finish(), count};
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
