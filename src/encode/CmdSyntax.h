#pragma once

#include "encode/ScriptDialect.h"

namespace tessaro {

// The Windows batch script: CR LF lines, double-quoted arguments, backslash paths.
class CmdSyntax final : public ScriptSyntax {
public:
    std::string_view ScriptFileName() const override { return "~tmp86CB.bat"; }
    mode_t FileMode() const override { return 0600; }
    std::string_view LineEnd() const override { return "\r\n"; }
    std::string_view FirstLine() const override { return "@ECHO OFF"; }
    char Separator() const override { return '\\'; }
    std::string_view FolderSeparators() const override { return "\\/:"; }

    std::string ToolPath(std::string_view exeFolder, ScriptTool tool) const override;
    std::string Echo(std::string_view text) const override;
    std::string Quote(std::string_view value) const override;
    std::string RedirectTarget(std::string_view path) const override;
    void CheckValue(std::string_view what, std::string_view value) const override;
    std::string ComparablePath(std::string_view path) const override;
    bool PathsAreLocal() const override { return false; }

    // The batch script checks nothing: every step is a line of its own.
    std::string Preamble(std::string_view) const override { return {}; }
    std::string WorkFile(std::string_view output, std::string_view, int) const override {
        return std::string(output);
    }
    std::string FinishStep(std::string_view, std::string_view, std::string_view,
                           std::string_view) const override {
        return {};
    }
    std::string RefusalStep(std::string_view reason, std::string_view) const override {
        return Echo(reason);
    }
    std::string ToolMessagesTo(std::string_view log) const override {
        return "> " + RedirectTarget(log);
    }
    std::string JobBlock(int number, std::string_view name, const std::vector<std::string>& steps,
                         std::string_view workFile, std::string_view log) const override;
    std::string Closing(int jobCount) const override;
};

}  // namespace tessaro
