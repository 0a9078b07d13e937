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

    // Every step's exit status is checked: a job whose step fails removes its
    // work file, keeps its log as failed-<job>.txt in the run folder and is recorded in
    // jobs.txt as "<job> failed <name>"; the others as "<job> done" or
    // "<job> skipped". mencoder writes a hidden work file in the output folder
    // that takes the output's name only once it is complete.
    std::string Preamble(std::string_view runFolder) const override;
    std::string WorkFile(std::string_view output, std::string_view runTag, int job) const override;
    std::string FinishStep(std::string_view finisher, std::string_view workFile,
                           std::string_view output, std::string_view log) const override;
    std::string RefusalStep(std::string_view reason, std::string_view log) const override;
    std::string ToolMessagesTo(std::string_view log) const override;
    std::string JobBlock(int number, std::string_view name, const std::vector<std::string>& steps,
                         std::string_view workFile, std::string_view log) const override;
    std::string Closing(int jobCount) const override;
};

}  // namespace tessaro
