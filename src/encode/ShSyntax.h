#pragma once

#include "encode/ScriptDialect.h"

namespace tessaro {

// The POSIX shell script: LF lines, every value single-quoted, tools found
// beside the program or on PATH.
class ShSyntax final : public ScriptSyntax {
public:
    std::string_view ScriptFileName() const override { return "~tmp86CB.sh"; }
    mode_t FileMode() const override { return 0700; }
    std::string_view LineEnd() const override { return "\n"; }
    std::string_view FirstLine() const override { return "#!/bin/sh"; }
    char Separator() const override { return '/'; }
    std::string_view FolderSeparators() const override { return "/"; }

    std::string ToolPath(std::string_view exeFolder, ScriptTool tool) const override;
    std::string Echo(std::string_view text) const override;
    std::string Quote(std::string_view value) const override;
    std::string RedirectTarget(std::string_view path) const override;
    void CheckValue(std::string_view what, std::string_view value) const override;
    std::string ComparablePath(std::string_view path) const override;
    bool PathsAreLocal() const override { return true; }
};

}  // namespace tessaro
