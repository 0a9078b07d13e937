#include "platform/Paths.h"

#include <algorithm>

namespace tessaro::platform {
namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t NameStart(std::string_view path) {
    const size_t slash = path.find_last_of(kPathSeparator);
    return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string joined(folder);
    if (joined.back() != kPathSeparator) joined += kPathSeparator;
    while (!name.empty() && name.front() == kPathSeparator) name.remove_prefix(1);
    joined += name;
    return joined;
}

std::string ExtractFileName(std::string_view path) {
    return std::string(path.substr(NameStart(path)));
}

std::string ExtractFileDir(std::string_view path) {
    const size_t start = NameStart(path);
    if (start == 0) return {};
    if (start == 1) return "/";
    return std::string(path.substr(0, start - 1));
}

std::string ExtractFileExt(std::string_view path) {
    const std::string_view name = path.substr(NameStart(path));
    const size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

}  // namespace tessaro::platform
