#include "FastcopyArguments.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string_view>

#include "platform/Paths.h"

namespace tessaro::tools {
namespace {

using platform::EqualsNoCase;

struct Option {
    std::string name;
    std::optional<std::string> value;
};

bool IsOptionNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

std::optional<Option> AsOption(std::string_view word) {
    if (word.size() < 2 || word.front() != '/') return std::nullopt;
    const size_t equals = word.find('=');
    const std::string_view name =
        word.substr(1, equals == std::string_view::npos ? word.npos : equals - 1);
    if (name.empty() || !std::all_of(name.begin(), name.end(), IsOptionNameChar)) {
        return std::nullopt;
    }
    Option option{std::string(name), std::nullopt};
    if (equals != std::string_view::npos) option.value = std::string(word.substr(equals + 1));
    return option;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool IsHelp(const std::string& word) {
    return word == "--help" || word == "-h" || word == "/?" || EqualsNoCase(word, "/help");
}

constexpr std::string_view kIgnoredFlags[] = {"auto_close", "force_close", "force_start"};

bool IsKnownOption(const std::string& name) {
    return EqualsNoCase(name, "cmd") || EqualsNoCase(name, "to") || EqualsNoCase(name, "log") ||
           std::any_of(std::begin(kIgnoredFlags), std::end(kIgnoredFlags),
                       [&](std::string_view flag) { return EqualsNoCase(name, flag); });
}

// Empty when the known option was taken, else what is wrong with it.
std::string ApplyOption(const Option& option, FastcopyArguments& arguments) {
    if (EqualsNoCase(option.name, "cmd")) {
        if (option.value && EqualsNoCase(*option.value, "update")) return {};
        return "only /cmd=update is supported";
    }
    if (EqualsNoCase(option.name, "to")) {
        if (!option.value || option.value->empty()) return "/to= needs a destination folder";
        arguments.destinationFolder = *option.value;
        return {};
    }
    if (EqualsNoCase(option.name, "log")) return {};
    return option.value ? "/" + option.name + " takes no value" : std::string();
}

ParsedArguments Fail(std::string error) {
    ParsedArguments parsed;
    parsed.error = std::move(error);
    return parsed;
}

}  // namespace

ParsedArguments ParseFastcopyArguments(const std::vector<std::string>& words) {
    ParsedArguments parsed;
    FastcopyArguments& arguments = parsed.arguments;
    bool optionsEnded = false;
    for (const std::string& word : words) {
        if (!optionsEnded && IsHelp(word)) {
            arguments.help = true;
            parsed.ok = true;
            return parsed;
        }
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::optional<Option> option = optionsEnded ? std::nullopt : AsOption(word);
        if (option && IsKnownOption(option->name)) {
            const std::string problem = ApplyOption(*option, arguments);
            if (!problem.empty()) return Fail(problem);
            continue;
        }
        if (option && !Exists(word)) return Fail("unknown option /" + option->name);
        if (word.empty()) return Fail("an empty source path");
        arguments.sources.push_back(word);
    }
    if (arguments.sources.empty()) return Fail("no source file given");
    if (arguments.destinationFolder.empty()) {
        return Fail("no destination folder given (/to=FOLDER/)");
    }
    parsed.ok = true;
    return parsed;
}

}  // namespace tessaro::tools
