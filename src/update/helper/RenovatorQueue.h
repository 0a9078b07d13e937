#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

// The queue file's lines: split at CR LF, a last line without one counts too,
// empty lines are dropped.
std::vector<std::string> QueueLines(std::string_view queueText);

// The whole queue file; empty when it is missing or unreadable.
std::string ReadQueueFile(const std::string& path);

// Moves every listed destination's download over it and marks the result as
// archive only, which also clears the hidden and temporary marks of the
// download. A line whose download is missing is skipped.
void MoveQueuedDownloads(const std::vector<std::string>& destinations);

}  // namespace tessaro
