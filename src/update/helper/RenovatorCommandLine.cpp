#include "update/helper/RenovatorCommandLine.h"

namespace tessaro {
namespace {

// Every argument followed by one space.
std::string JoinArguments(const std::vector<std::string>& arguments) {
    std::string joined;
    for (const std::string& argument : arguments) joined += argument + " ";
    return joined;
}

// The character before the final space is the method digit; "1" is an external setup.
bool IsExternalSetup(const std::string& joined) {
    return joined.size() >= 2 && joined[joined.size() - 2] == '1';
}

}  // namespace

RenovatorCommand ParseRenovatorCommand(const std::vector<std::string>& arguments) {
    const std::string joined = JoinArguments(arguments);
    RenovatorCommand command;
    command.externalSetup = IsExternalSetup(joined);
    const std::size_t split = joined.rfind(" +");
    if (split == std::string::npos) {
        command.programPath = joined.substr(0, joined.empty() ? 0 : joined.size() - 1);
    } else {
        command.programPath = joined.substr(0, split);
        const std::string tail = joined.substr(split + 2);
        // The tail ends in the method digit and the final space.
        if (tail.size() > 2) command.restartParameter = tail.substr(0, tail.size() - 2);
    }
    const std::size_t slash = command.programPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    command.programFolder = command.programPath.substr(0, nameStart);
    return command;
}

}  // namespace tessaro
