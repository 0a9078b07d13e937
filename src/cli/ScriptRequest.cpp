#include "cli/ScriptRequest.h"

#include <array>
#include <fstream>
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/CliProbe.h"
#include "cli/JobRowText.h"
#include "encode/DeviceProfile.h"
#include "encode/ScriptPaths.h"
#include "platform/Folders.h"

namespace tessaro::cli {
namespace {

constexpr std::array kScriptOptions = {
    kDeviceOption,
    OptionRule{"--bitrate", true},
    OptionRule{"--output", true},
    OptionRule{"--copy-to", true},
    OptionRule{"--unsupported-only", false},
    OptionRule{"--dialect", true},
    OptionRule{"--exe-folder", true},
    OptionRule{"--temp-folder", true},
    OptionRule{"--subtitle-codepage", true},
    OptionRule{"--column", true},
    OptionRule{"--value", true},
    OptionRule{"--selected", true},
    OptionRule{"--rows", true},
    OptionRule{"--script", true},
};

void CheckCombinations(const CliOptions& options) {
    if (options.Has("--selected") && (options.Has("--column") || options.Has("--value")))
        throw UsageError("--selected cannot be combined with --column or --value");
    if (options.Has("--value") && !options.Has("--column"))
        throw UsageError("--value needs --column");
    if (options.IntValue("--column", 0, kSubItemCount, 0) > 0 && !options.Has("--value"))
        throw UsageError("--column K from 1 up needs --value");
    if (options.Has("--rows") && !options.Operands().empty())
        throw UsageError("give either --rows or PATHs, not both");
    if (!options.Has("--rows") && options.Operands().empty())
        throw UsageError("needs PATHs or --rows");
    if (options.Has("--subtitle-codepage") && options.Value("--subtitle-codepage")->empty())
        throw UsageError("--subtitle-codepage needs a code page name, for example CP932");
}

ScriptDialect DialectOf(const CliOptions& options) {
    const std::string name = options.Value("--dialect").value_or("sh");
    const std::optional<ScriptDialect> dialect = ParseScriptDialect(name);
    if (!dialect) throw UsageError("--dialect is cmd or sh, not \"" + name + "\"");
    return *dialect;
}

ScriptOptions ScriptOptionsOf(const CliOptions& options) {
    ScriptOptions script;
    script.dialect = DialectOf(options);
    script.serial = DeviceIndex(options);
    script.bitrateIndex =
        options.IntValue("--bitrate", 0, static_cast<int>(kBitrateEntries.size()) - 1, 0);
    script.outputFolder = options.Value("--output").value_or(platform::DocumentsFolder());
    script.copyToDrive = options.Has("--copy-to");
    script.drive = options.Value("--copy-to").value_or("");
    script.unsupportedOnly = options.Has("--unsupported-only");
    const char separator = SyntaxFor(script.dialect).Separator();
    script.exeFolder = FolderWithSeparator(
        options.Value("--exe-folder").value_or(platform::ProgramFolder()), separator);
    script.tempFolder =
        options.Has("--temp-folder") ? *options.Value("--temp-folder") : platform::TempFolder();
    script.subtitleCodePage = options.Value("--subtitle-codepage").value_or("");
    return script;
}

JobList ReadRowsFrom(const std::string& source) {
    if (source == "-") return ReadJobRows(std::cin, "standard input");
    std::ifstream in(source, std::ios::binary);
    if (!in) throw UsageError("cannot read the rows file " + source);
    return ReadJobRows(in, source);
}

}  // namespace

ScriptRequest::ScriptRequest(std::span<const std::string> arguments)
    : arguments_(arguments, kScriptOptions) {
    CheckCombinations(arguments_);
    options_ = ScriptOptionsOf(arguments_);
}

JobList ScriptRequest::Rows() const {
    if (const auto source = arguments_.Value("--rows")) return ReadRowsFrom(*source);
    return ProbeFiles(arguments_.Operands(), options_.serial, std::cerr, nullptr).rows;
}

JobSelection ScriptRequest::Selection(size_t rowCount) const {
    if (arguments_.Has("--selected")) {
        const int row = arguments_.IntValue("--selected", 1, static_cast<int>(rowCount), 1);
        return {-1, "0", row - 1};
    }
    return {arguments_.IntValue("--column", 0, kSubItemCount, 0),
            arguments_.Value("--value").value_or("0"), -1};
}

std::string_view ScriptRequest::OptionsHelp() {
    return "  --device N          device serial index 0 to 2 (default 0)\n"
           "  --bitrate INDEX     video bit rate selector entry: 0 Default (the file's own\n"
           "                      rate, at most 3000), 1 512, 2 600, 3 640, 4 700, 5 800,\n"
           "                      6 900, 7 1000, 8 1200, 9 1500, 10 1800, 11 2000, 12 3000\n"
           "  --output DIR        output folder (default: the documents folder)\n"
           "  --copy-to DRIVE     copy each result to DRIVE after encoding (\"E:\" for cmd,\n"
           "                      a mounted volume's folder for sh)\n"
           "  --unsupported-only  leave files that need no conversion where they are\n"
           "  --subtitle-codepage CP\n"
           "                      code page of converted subtitles, as iconv names it\n"
           "                      (default: the one Windows uses for your locale, from\n"
           "                      LC_ALL, LC_CTYPE or LANG: CP932 for Japanese, CP1252\n"
           "                      for Western languages...; TESSARO_SUBTITLE_CODEPAGE\n"
           "                      overrides that default)\n"
           "  --column K --value V\n"
           "                      K 0: every row (default); K from 1: only rows whose\n"
           "                      sub-item K-1 is V (\"(NULL)\" matches an empty one); the\n"
           "                      others are skipped\n"
           "  --selected ROW      only row ROW, counted from 1 (written as Job:1/1)\n"
           "  --rows FILE|-       rows in the probe output format instead of PATHs, probed\n"
           "                      with the same --device\n";
}

}  // namespace tessaro::cli
