#include "encode/ShSyntax.h"

#include <unistd.h>

#include "encode/ScriptError.h"
#include "encode/ScriptPaths.h"
#include "platform/ToolLocator.h"

namespace tessaro {
namespace {

std::string ToolFileName(ScriptTool tool) {
    switch (tool) {
        case ScriptTool::mencoder:
            return "mencoder";
        case ScriptTool::charshift:
            return "charshift";
        case ScriptTool::fastcopy:
            return "fastcopy";
    }
    return {};
}

bool IsExecutableFile(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
}

// Marker lines are read line by line: a line break inside a file name must not
// start a line of its own.
std::string Printable(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) c = '?';
    }
    return result;
}

}  // namespace

std::string ShSyntax::ToolPath(std::string_view exeFolder, ScriptTool tool) const {
    const std::string name = ToolFileName(tool);
    if (!exeFolder.empty()) {
        const std::string beside = JoinFolder(exeFolder, name, Separator());
        if (IsExecutableFile(beside)) return beside;
    }
    const std::string found = platform::FindTool(name);
    // A missing tool keeps its bare name: the run then reports it as not found.
    return found.empty() ? name : found;
}

std::string ShSyntax::Echo(std::string_view text) const {
    return "printf '%s\\n' " + Quote(Printable(text));
}

std::string ShSyntax::Quote(std::string_view value) const {
    std::string quoted = "'";
    for (const char c : value) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string ShSyntax::RedirectTarget(std::string_view path) const {
    return Quote(path);
}

void ShSyntax::CheckValue(std::string_view what, std::string_view value) const {
    if (value.find('\0') == std::string_view::npos) return;
    throw ScriptError(std::string(what) + " holds a NUL byte, which no path can carry");
}

std::string ShSyntax::ComparablePath(std::string_view path) const {
    std::string result;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '/') {
            result += path[i];
            continue;
        }
        if (!result.empty() && result.back() == '/') continue;
        // "/./" names the folder itself.
        if (path.substr(i, 3) == "/./" || path.substr(i) == "/.") {
            ++i;
            if (result.empty()) result += '/';
            continue;
        }
        result += '/';
    }
    return result;
}

}  // namespace tessaro
