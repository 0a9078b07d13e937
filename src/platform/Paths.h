#pragma once

#include <string>
#include <string_view>

namespace tessaro::platform {

inline constexpr char kPathSeparator = '/';

// Joins with exactly one separator between the parts.
std::string JoinPath(std::string_view folder, std::string_view name);

// "/a/b/clip.mkv" -> "clip.mkv"
std::string ExtractFileName(std::string_view path);
// "/a/b/clip.mkv" -> "/a/b"; a bare name gives ""
std::string ExtractFileDir(std::string_view path);
// "/a/b/clip.mkv" -> ".mkv"; no extension gives ""
std::string ExtractFileExt(std::string_view path);

std::string ToLowerAscii(std::string_view text);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace tessaro::platform
