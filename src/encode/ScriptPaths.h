#pragma once

#include <string>
#include <string_view>

namespace tessaro {

// Path pieces of the script's lines, for either dialect's separator.

// "D:\Out" -> "D:\Out\"; a folder already ending in the separator is kept.
std::string FolderWithSeparator(std::string_view folder, char separator);

// Folder joined with a name; an empty folder leaves the bare name.
std::string JoinFolder(std::string_view folder, std::string_view name, char separator);

// "C:\v\clip.mkv" -> stem "clip", extension ".mkv"; `separators` end the folder part.
struct FileNameParts {
    std::string stem;
    std::string extension;
};
FileNameParts SplitFileName(std::string_view path, std::string_view separators);

// "C:\v\clip.mkv" -> "clip.mkv"
std::string FileNameOf(std::string_view path, std::string_view separators);

// A path a tool takes as an operand: one starting with '-' would read as an option.
std::string OperandPath(std::string_view path, char separator);

}  // namespace tessaro
