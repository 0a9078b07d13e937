#include "encode/CmdSyntax.h"

#include "encode/RunMarkers.h"
#include "encode/ScriptError.h"
#include "encode/ScriptPaths.h"
#include "platform/Paths.h"

namespace tessaro {
namespace {

// cmd.exe expands %NAME% even inside quotes; %% stands for one percent sign.
std::string DoublePercent(std::string_view text) {
    if (text.find('%') == std::string_view::npos) return std::string(text);
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c == '%') result += '%';
        result += c;
    }
    return result;
}

bool IsOperatorOutsideQuotes(char c) {
    return c == '&' || c == '|' || c == '<' || c == '>' || c == '^';
}

// Characters that split or redirect a command when they stand outside quotes.
bool NeedsQuotes(std::string_view path) {
    return path.find_first_of(" \t&|<>^(),;=") != std::string_view::npos;
}

std::string_view ToolFileName(ScriptTool tool) {
    switch (tool) {
        case ScriptTool::mencoder:
            return "mencoder.exe";
        case ScriptTool::charshift:
            return "Charshift.exe";
        case ScriptTool::fastcopy:
            return "fastcopy.exe";
        case ScriptTool::avifinish:
            return "avifinish.exe";
    }
    return {};
}

}  // namespace

std::string CmdSyntax::ToolPath(std::string_view exeFolder, ScriptTool tool) const {
    return JoinFolder(exeFolder, ToolFileName(tool), Separator());
}

std::string CmdSyntax::Echo(std::string_view text) const {
    std::string line = "ECHO ";
    bool quoted = false;
    for (const char c : DoublePercent(text)) {
        if (c == '"') quoted = !quoted;
        if (!quoted && IsOperatorOutsideQuotes(c)) line += '^';
        line += c;
    }
    return line;
}

std::string CmdSyntax::Quote(std::string_view value) const {
    return '"' + DoublePercent(value) + '"';
}

std::string CmdSyntax::RedirectTarget(std::string_view path) const {
    return NeedsQuotes(path) ? Quote(path) : DoublePercent(path);
}

void CmdSyntax::CheckValue(std::string_view what, std::string_view value) const {
    if (value.find_first_of(std::string_view("\"\r\n\0", 4)) == std::string_view::npos) return;
    throw ScriptError(std::string(what) +
                      " holds a double quote, a line break or a NUL, which a batch script "
                      "cannot carry: " +
                      std::string(value));
}

std::string CmdSyntax::ComparablePath(std::string_view path) const {
    std::string result;
    for (const char c : platform::ToLowerAscii(path)) {
        const char unified = c == '/' ? '\\' : c;
        // Keep a UNC path's leading pair; elsewhere repeated separators name one folder.
        if (unified == '\\' && result.size() > 1 && result.back() == '\\') continue;
        result += unified;
    }
    return result;
}

std::string CmdSyntax::JobBlock(int, std::string_view, const std::vector<std::string>& steps,
                                std::string_view, std::string_view) const {
    std::string block;
    for (const std::string& step : steps) {
        if (!block.empty()) block += LineEnd();
        block += step;
    }
    return block;
}

std::string CmdSyntax::Closing(int) const {
    return Echo(StatusLine(kCompletedStatus)) + std::string(LineEnd());
}

}  // namespace tessaro
