#include "encode/ScriptPaths.h"

namespace tessaro {

std::string FolderWithSeparator(std::string_view folder, char separator) {
    std::string result(folder);
    if (result.empty() || result.back() != separator) result += separator;
    return result;
}

std::string JoinFolder(std::string_view folder, std::string_view name, char separator) {
    if (folder.empty()) return std::string(name);
    return FolderWithSeparator(folder, separator) + std::string(name);
}

std::string FileNameOf(std::string_view path, std::string_view separators) {
    const size_t folderEnd = path.find_last_of(separators);
    return std::string(folderEnd == std::string_view::npos ? path : path.substr(folderEnd + 1));
}

FileNameParts SplitFileName(std::string_view path, std::string_view separators) {
    const std::string name = FileNameOf(path, separators);
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos) return {name, {}};
    return {name.substr(0, dot), name.substr(dot)};
}

std::string OperandPath(std::string_view path, char separator) {
    if (path.empty() || path.front() != '-') return std::string(path);
    return std::string(".") + separator + std::string(path);
}

}  // namespace tessaro
