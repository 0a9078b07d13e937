#pragma once

#include <string>
#include <vector>

namespace tessaro::tools {

struct FastcopyArguments {
    bool help = false;
    std::vector<std::string> sources;
    std::string destinationFolder;
};

struct ParsedArguments {
    bool ok = false;
    FastcopyArguments arguments;
    std::string error;
};

// Windows-style options ("/cmd=update", "/to=FOLDER") mixed with source paths.
// An argument counts as an option only when it reads "/name" or "/name=value";
// an absolute path has a second separator before any '=', and an unknown
// option name that names an existing file is taken as that file.
ParsedArguments ParseFastcopyArguments(const std::vector<std::string>& words);

}  // namespace tessaro::tools
