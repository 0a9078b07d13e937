#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

// cmd: the Windows batch script run by cmd.exe; sh: the POSIX shell script run by /bin/sh.
enum class ScriptDialect { cmd, sh };

std::optional<ScriptDialect> ParseScriptDialect(std::string_view name);
std::string_view ScriptDialectName(ScriptDialect dialect);

enum class ScriptTool { mencoder, charshift, fastcopy };

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
};

const ScriptSyntax& SyntaxFor(ScriptDialect dialect);

}  // namespace tessaro
