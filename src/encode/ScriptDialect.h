#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// cmd: the Windows batch script run by cmd.exe; sh: the POSIX shell script run by /bin/sh.
enum class ScriptDialect { cmd, sh };

std::optional<ScriptDialect> ParseScriptDialect(std::string_view name);
std::string_view ScriptDialectName(ScriptDialect dialect);

// The name every script of a run starts with: "~tmp86CB.sh", a job's own "~tmp86CB-3.sh".
inline constexpr std::string_view kScriptStem = "~tmp86CB";

enum class ScriptTool { mencoder, charshift, fastcopy, avifinish };

// Everything in which the two script dialects differ; the writer composes its
// lines from these pieces only.
class ScriptSyntax {
public:
    virtual ~ScriptSyntax() = default;

    virtual std::string_view ScriptFileName() const = 0;
    virtual mode_t FileMode() const = 0;
    virtual std::string_view LineEnd() const = 0;
    virtual std::string_view FirstLine() const = 0;

    virtual char Separator() const = 0;
    // Characters that end the folder part of a path.
    virtual std::string_view FolderSeparators() const = 0;

    // Path of a tool as the script starts it; exeFolder may be empty.
    virtual std::string ToolPath(std::string_view exeFolder, ScriptTool tool) const = 0;

    // A line that prints `text` as it stands.
    virtual std::string Echo(std::string_view text) const = 0;
    // One command argument carrying `value` literally.
    virtual std::string Quote(std::string_view value) const = 0;
    // The file after a `>` or `2>` redirection.
    virtual std::string RedirectTarget(std::string_view path) const = 0;

    // Throws ScriptError when `value` holds a character the dialect cannot carry.
    virtual void CheckValue(std::string_view what, std::string_view value) const = 0;

    // Path text in a form where equal texts name the same file.
    virtual std::string ComparablePath(std::string_view path) const = 0;
    // Whether the paths are local ones the writer may look at (links, hard links).
    virtual bool PathsAreLocal() const = 0;

    // What comes between the first line and the first job; `runFolder` holds
    // the script and the log.
    virtual std::string Preamble(std::string_view runFolder) const = 0;
    // Where mencoder writes until its output is known to be complete; the
    // output itself where the dialect writes in place.
    virtual std::string WorkFile(std::string_view output, std::string_view runTag,
                                 int job) const = 0;
    // The step that gives a complete work file its final name, or "" when the
    // dialect writes in place.
    virtual std::string FinishStep(std::string_view finisher, std::string_view workFile,
                                   std::string_view output, std::string_view log) const = 0;
    // A step that fails its job with `reason` (written to `log`), for work
    // the script must not do.
    virtual std::string RefusalStep(std::string_view reason, std::string_view log) const = 0;
    // Redirection of a tool's messages (not mencoder's, whose errors alone go
    // to the log) into `log`.
    virtual std::string ToolMessagesTo(std::string_view log) const = 0;
    // One job's steps as the script runs them; `name` names the job in its
    // failure, `workFile` (may be empty) is removed when a step fails and
    // `log` is kept. Without steps the job counts as skipped.
    virtual std::string JobBlock(int number, std::string_view name,
                                 const std::vector<std::string>& steps, std::string_view workFile,
                                 std::string_view log) const = 0;
    // The last lines, after every job.
    virtual std::string Closing(int jobCount) const = 0;
};

const ScriptSyntax& SyntaxFor(ScriptDialect dialect);

}  // namespace tessaro
