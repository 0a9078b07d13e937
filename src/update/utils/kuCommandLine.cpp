#include "update/utils/kuCommandLine.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "update/utils/kuText.h"

namespace tessaro {
namespace {

// Command lines may carry Windows or POSIX paths alike.
constexpr std::string_view kSeparators = "\\/";

std::size_t NameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of(kSeparators);
    return separator == std::string_view::npos ? 0 : separator + 1;
}

std::string FileExtension(std::string_view path) {
    const std::string_view name = path.substr(NameStart(path));
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

void EraseFirst(std::string& s, char ch) {
    if (const std::size_t at = s.find(ch); at != std::string::npos) s.erase(at, 1);
}

void SplitQuoted(std::string& fileName, std::string& params, std::size_t q1, std::size_t q2) {
    if (q1 == 0) {
        params = fileName.substr(std::min(q2 + 1, fileName.size()));
        fileName.resize(q2);
        params = Trim(params);
        EraseFirst(params, '"');
        EraseFirst(params, '"');
    } else {
        params = fileName.substr(q1);
        fileName.resize(q1 - 1);
    }
}

struct Delimiter {
    std::string_view text;
    bool kept = true;
};

constexpr std::array<Delimiter, 5> kArgumentDelimiters = {
    {{" -"}, {" /"}, {" \\"}, {",", false}, {" %"}}};

void SplitUnquoted(std::string& fileName, std::string& params) {
    params.clear();
    const std::string input = fileName;
    for (const Delimiter& delimiter : kArgumentDelimiters) {
        std::string left;
        std::string right;
        SplitStr(delimiter.text, fileName, left, right, TkuSplitStrSide::LEFT,
                 TkuSplitStrSides{false, delimiter.kept});
        // A split that robs the program of its extension cut inside a folder name.
        if (!FileExtension(fileName).empty() && FileExtension(left).empty()) continue;
        fileName = left;
        params = right;
        if (!params.empty()) break;
    }
    if (UpperCaseAscii(FileExtension(fileName)) == ".DLL" &&
        UpperCaseAscii(fileName).find("RUNDLL") != std::string::npos) {
        const std::size_t nameStart = NameStart(input);
        std::string left;
        SplitStr(" ", std::string_view(input).substr(nameStart), left, params,
                 TkuSplitStrSide::LEFT, TkuSplitStrSides{});
        fileName = input.substr(0, nameStart) + left;
    }
}

}  // namespace

void SplitFilenameAndParams(std::string& fileName, std::string& params) {
    fileName = Trim(fileName);
    if (fileName.empty()) return;
    const std::size_t q1 = fileName.find('"');
    if (q1 != std::string::npos) fileName.erase(q1, 1);
    const std::size_t q2 = q1 == std::string::npos ? std::string::npos : fileName.find('"', q1);
    if (q2 != std::string::npos) {
        fileName.erase(q2, 1);
        SplitQuoted(fileName, params, q1, q2);
    } else {
        SplitUnquoted(fileName, params);
    }
    fileName = Trim(fileName);
    params = Trim(params);
}

}  // namespace tessaro
