#pragma once

#include <sys/resource.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::testing {

struct ToolResult {
    int exitCode = -1;  // -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

struct ToolLaunch {
    std::vector<std::pair<std::string, std::string>> environment;  // set on top of ours
    std::optional<rlim_t> fileSizeLimit;  // makes writes past it fail with EFBIG
};

// Runs a built tool from the binary folder and waits for it, collecting both streams.
ToolResult RunTool(const std::string& tool, const std::vector<std::string>& arguments,
                   const ToolLaunch& launch = {});

}  // namespace tessaro::testing
