#pragma once

#include <string>
#include <vector>

namespace tessaro {

// What the engine's command line "<program> +<restart parameter><method digit>"
// asks of the helper. The program path is not quoted, so a path with spaces
// arrives as several arguments.
struct RenovatorCommand {
    std::string programPath;
    // Up to and including the last "/"; empty for a bare name.
    std::string programFolder;
    std::string restartParameter;
    bool externalSetup = false;
};

// Joins the arguments with spaces and splits at the last " +", so that a "+"
// inside a folder or file name stays part of the program path.
RenovatorCommand ParseRenovatorCommand(const std::vector<std::string>& arguments);

}  // namespace tessaro
