#include "encode/ShSyntax.h"

#include <unistd.h>

#include "encode/RunMarkers.h"
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
        case ScriptTool::avifinish:
            return "avifinish";
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

std::string Recorders() {
    return "failed=0\n"
           // A job whose record cannot be written counts as failed (a failed one already is).
           "job() { printf '%s\\n' \"$*\" >> \"$run/jobs.txt\" || [ \"$2\" = failed ] ||\n"
           "  failed=$((failed + 1)); }\n"
           "fail() {\n"
           "  failed=$((failed + 1))\n"
           "  [ -z \"$2\" ] || rm -f -- \"$2\"\n"
           "  mv -f -- \"$4\" \"$run/failed-$1.txt\" 2>/dev/null\n"
           "  job \"$1\" failed \"$3\"\n"
           "  printf '" +
           StatusLine(kFailedStatus) +
           "%s\\n' \"$3\"\n"
           "}";
}

constexpr std::string_view kStepSeparator = " &&\n  ";

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

std::string ShSyntax::Preamble(std::string_view runFolder) const {
    return "run=" + Quote(runFolder) + "\n" + Recorders();
}

std::string ShSyntax::WorkFile(std::string_view output, std::string_view runTag, int job) const {
    const size_t slash = output.rfind('/');
    const std::string_view folder =
        slash == std::string_view::npos ? std::string_view() : output.substr(0, slash + 1);
    return std::string(folder) + ".tessaro-" + std::string(runTag) + "-" + std::to_string(job) +
           ".part";
}

std::string ShSyntax::FinishStep(std::string_view finisher, std::string_view workFile,
                                 std::string_view output, std::string_view log) const {
    return Quote(finisher) + " " + Quote(workFile) + " " + Quote(output) + " 2>> " +
           RedirectTarget(log);
}

std::string ShSyntax::RefusalStep(std::string_view reason, std::string_view log) const {
    return "{ " + Echo(reason) + " > " + RedirectTarget(log) + "; false; }";
}

std::string ShSyntax::ToolMessagesTo(std::string_view log) const {
    return "> " + RedirectTarget(log) + " 2>&1";
}

std::string ShSyntax::JobBlock(int number, std::string_view name,
                               const std::vector<std::string>& steps, std::string_view workFile,
                               std::string_view log) const {
    const std::string job = std::to_string(number);
    if (steps.empty()) return "job " + job + " skipped";
    std::string block = "if ";
    for (size_t i = 0; i < steps.size(); ++i) {
        if (i > 0) block += kStepSeparator;
        block += steps[i];
    }
    return block + "\nthen job " + job + " done; else fail " + job + " " + Quote(workFile) + " " +
           Quote(Printable(name)) + " " + Quote(log) + "; fi";
}

std::string ShSyntax::Closing(int jobCount) const {
    return "if [ \"$failed\" -eq 0 ]; then " + Echo(StatusLine(kCompletedStatus)) +
           "; else printf '" + StatusLine(kFailedStatus) + "%s of %s jobs\\n' \"$failed\" " +
           std::to_string(jobCount) + "; fi\n";
}

}  // namespace tessaro
